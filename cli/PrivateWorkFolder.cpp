#include "cli/PrivateWorkFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>

namespace zbe::cli {

PrivateWorkFolder::PrivateWorkFolder(const std::string& base) {
  std::string folder = base;
  if (folder.empty()) {
    const char* tmpdir = std::getenv("TMPDIR");
    folder = tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
  }
  if (folder.back() == '/') {
    folder.pop_back();
  }
  std::string pattern = folder + "/zbe-work-XXXXXX";
  // mkdtemp creates the folder with mode 0700.
  if (mkdtemp(pattern.data()) == nullptr) {
    error_ = errno;
    return;
  }
  path_ = pattern + "/";
}

PrivateWorkFolder::~PrivateWorkFolder() {
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

}  // namespace zbe::cli
