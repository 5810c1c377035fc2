#include "platform/AppFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace zbe {
namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    return home;
  }
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  return path;
}

}  // namespace

int32_t AppDataFolder(std::string& folder) {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  if (dataHome != nullptr && dataHome[0] == '/') {
    folder = WithoutTrailingSlashes(dataHome);
    return 0;
  }
  std::string home = HomeFolder();
  if (home.empty()) {
    return ENOENT;
  }
  home = WithoutTrailingSlashes(home);
  folder = (home == "/" ? "" : home) + "/.local/share";
  return 0;
}

std::string MobileSyncRoot(const std::string& appData) {
  return appData + "/Apple Computer/MobileSync/backup/";
}

std::string WorkFolderIn(const std::string& appData) {
  return appData + "/ZorvaneBackupExtractor/";
}

std::string ProgramFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      return {};
    }
    if (static_cast<size_t>(length) < buffer.size()) {
      std::string path(buffer.data(), static_cast<size_t>(length));
      return path.substr(0, path.rfind('/') + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace zbe
