// Loose skin files in a folder. Layouts name files as they were written on a case-insensitive
// file system, so a name that does not match exactly is looked up component by component
// without regard to case.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "ui/AttributeValues.h"
#include "ui/SkinSource.h"
#include "ui/UIDefs.h"

namespace zbe {
namespace {

namespace fs = std::filesystem;

// Finds "rel" below "root", matching each component without regard to case when the exact
// name is absent. Returns an empty path when there is no match.
fs::path Resolve(const fs::path& root, const std::string& rel) {
  // Skin names never leave the skin folder.
  for (const auto& part : fs::path(rel)) {
    if (part == "..")
      return {};
  }
  fs::path exact = root / rel;
  std::error_code ec;
  if (fs::is_regular_file(exact, ec))
    return exact;
  fs::path cur = root;
  size_t start = 0;
  while (start <= rel.size()) {
    size_t slash = rel.find('/', start);
    std::string part =
        rel.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    start = slash == std::string::npos ? rel.size() + 1 : slash + 1;
    if (part.empty() || part == ".")
      continue;
    fs::path next = cur / part;
    if (!fs::exists(next, ec)) {
      next.clear();
      for (const auto& entry : fs::directory_iterator(cur, ec)) {
        if (EqualsNoCase(entry.path().filename().string(), part)) {
          next = entry.path();
          break;
        }
      }
      if (next.empty())
        return {};
    }
    cur = next;
  }
  return fs::is_regular_file(cur, ec) ? cur : fs::path();
}

class FolderSkinSource final : public ISkinSource {
 public:
  explicit FolderSkinSource(std::string folder) : folder_(std::move(folder)) {}

  int32_t ReadFile(std::string_view name, std::vector<uint8_t>* out) const override {
    std::string rel = NormalizeSkinName(name);
    if (rel.empty())
      return kUIFileMissing;
    fs::path path = Resolve(folder_, rel);
    if (path.empty())
      return kUIFileMissing;
    std::ifstream in(path, std::ios::binary);
    if (!in)
      return kUIFileMissing;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0)
      return 5;
    in.seekg(0, std::ios::beg);
    out->assign(static_cast<size_t>(size), 0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(out->data()), size)) {
      out->clear();
      return 5;
    }
    return 0;
  }

  std::string Describe() const override { return folder_; }

 private:
  const std::string folder_;
};

}  // namespace

std::unique_ptr<ISkinSource> OpenSkinFolder(const std::string& folder) {
  return std::make_unique<FolderSkinSource>(folder);
}

}  // namespace zbe
