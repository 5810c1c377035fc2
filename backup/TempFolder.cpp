#include "backup/TempFolder.h"

#include <cstdlib>
#include <optional>

#include "backup/PrivateFolder.h"
#include "platform/AppFolders.h"
#include "platform/FileSystem.h"

namespace zbe {
namespace {

constexpr const char* kTempFolderName = "ZorvaneTempFile/";

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  return path;
}

std::string ChooseOnce() {
  const char* override = std::getenv("ZBE_TEMP_FOLDER");
  if (override != nullptr && override[0] == '/') {
    return WithTrailingSlash(override);
  }
  std::string appData;
  if (AppDataFolder(appData) != 0) {
    appData.clear();
  }
  return ChooseTempFolder(appData, SystemFreeSpace());
}

}  // namespace

std::string ChooseTempFolder(const std::string& appData, const FreeSpaceSource& space) {
  std::string appDataTemp;
  if (!appData.empty()) {
    appDataTemp = WorkFolderIn(appData) + kTempFolderName;
    std::optional<uint64_t> free = space.FreeBytes(appData);
    if (free && *free > kTempFolderMinFreeBytes) {
      return appDataTemp;
    }
  }
  std::optional<std::string> best;
  uint64_t bestFree = 0;
  for (const std::string& mountPoint : space.WritableMountPoints()) {
    std::optional<uint64_t> free = space.FreeBytes(mountPoint);
    // A later mount point replaces the kept one only with strictly more room.
    if (free && (!best || *free > bestFree)) {
      best = mountPoint;
      bestFree = *free;
    }
  }
  if (best) {
    return JoinPath(*best, kTempFolderName);
  }
  return !appDataTemp.empty() ? appDataTemp : std::string("/tmp/") + kTempFolderName;
}

const std::string& GetTempFolder() {
  // Chosen once per process: the decrypted copies must stay where the first choice put them.
  static const std::string folder = [] {
    std::string chosen = ChooseOnce();
    EnsurePrivateFolder(chosen);
    return chosen;
  }();
  return folder;
}

std::string DecryptionOutputFolder() {
  return GetTempFolder() + kDecryptionOutputName;
}

}  // namespace zbe
