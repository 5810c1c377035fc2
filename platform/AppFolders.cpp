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

// $<variable> when it is set and absolute (a relative value is invalid and ignored), else
// <home>/<fallback>.
int32_t XdgFolder(const char* variable, const char* fallback, std::string& folder) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') {
    folder = WithoutTrailingSlashes(value);
    return 0;
  }
  std::string home = HomeFolder();
  if (home.empty()) {
    return ENOENT;
  }
  home = WithoutTrailingSlashes(home);
  folder = (home == "/" ? "" : home) + fallback;
  return 0;
}

}  // namespace

int32_t AppDataFolder(std::string& folder) {
  return XdgFolder("XDG_DATA_HOME", "/.local/share", folder);
}

int32_t AppConfigFolder(std::string& folder) {
  return XdgFolder("XDG_CONFIG_HOME", "/.config", folder);
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
