#include "platform/ResolvedPath.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace zbe {
namespace {

// The components of "path" as they stand ("." and ".." kept: realpath resolves them).
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  for (size_t from = 0; from <= path.size();) {
    size_t slash = path.find('/', from);
    size_t end = slash == std::string::npos ? path.size() : slash;
    if (end > from) {
      parts.push_back(path.substr(from, end - from));
    }
    from = end + 1;
  }
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, size_t count) {
  std::string path;
  for (size_t i = 0; i < count; ++i) {
    path += "/" + parts[i];
  }
  return path.empty() ? "/" : path;
}

// "part" appended to the resolved "path", with "." and ".." folded.
void Append(std::string& path, const std::string& part) {
  if (part == ".") {
    return;
  }
  if (part == "..") {
    size_t slash = path.rfind('/');
    path.erase(slash == 0 || slash == std::string::npos ? 1 : slash);
    return;
  }
  path += (path == "/" ? "" : "/") + part;
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute.front() != '/') {
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    if (!cwd) {
      return {};
    }
    absolute = std::string(cwd.get()) + "/" + absolute;
  }
  std::vector<std::string> parts = Components(absolute);
  // The longest prefix that exists resolves through realpath; the rest is appended as it is.
  for (size_t count = parts.size() + 1; count-- > 0;) {
    std::unique_ptr<char, decltype(&std::free)> resolved(
        realpath(Joined(parts, count).c_str(), nullptr), &std::free);
    if (resolved) {
      std::string result = resolved.get();
      for (size_t i = count; i < parts.size(); ++i) {
        Append(result, parts[i]);
      }
      return result;
    }
  }
  std::string result = "/";
  for (const std::string& part : parts) {
    Append(result, part);
  }
  return result;
}

bool PathWithin(const std::string& path, const std::string& folder) {
  std::string inner = ResolvedPath(path);
  std::string outer = ResolvedPath(folder);
  if (inner.empty() || outer.empty() || outer == "/") {
    return true;
  }
  return inner == outer ||
         (inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
          inner[outer.size()] == '/');
}

}  // namespace zbe
