#include "backup/EncryptionProbe.h"

#include <unistd.h>

#include <string_view>

#include "backup/StoredFiles.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

namespace zbe {
namespace {

UniqueFd OpenForReading(const std::string& path) {
  UniqueFd fd;
  OpenRegularFile(path, fd);
  return fd;
}

}  // namespace

bool ProbeEncrypted(const std::string& folder) {
  StoredFileLayout layout = IsRegularFile(JoinPath(folder, "Manifest.db"))
                                ? StoredFileLayout::kTwoLevel
                                : StoredFileLayout::kFlat;
  std::string candidate = StoredFilePath(folder, kAddressBookHashedName, layout);
  UniqueFd fd = OpenForReading(candidate);
  if (!fd.valid()) {
    fd = OpenForReading(candidate + ".mddata");
  }
  if (!fd.valid()) {
    return false;
  }
  char buffer[512] = {};
  size_t filled = 0;
  while (filled < sizeof buffer) {
    ssize_t got = read(fd.get(), buffer + filled, sizeof buffer - filled);
    if (got <= 0) {
      break;
    }
    filled += static_cast<size_t>(got);
  }
  return !AsciiCaseEquals(std::string_view(buffer, 6), "SQLite");
}

}  // namespace zbe
