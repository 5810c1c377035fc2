#include "backup/BackupDiscovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "backup/EncryptionProbe.h"
#include "backup/InfoPlistBinaryReader.h"
#include "backup/InfoPlistTextReader.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A binary "Info.plist" is read whole; one past this size is not a real one.
constexpr long kMaxBinaryPlistBytes = 64L * 1024 * 1024;
// The text form may be read to its end; real ones, app lists and all, stay far below this, and
// a larger file (a sparse one, say) would keep the backup list waiting.
constexpr long kMaxTextPlistBytes = 256L * 1024 * 1024;

void ReadBinaryInfoPlist(std::FILE* file, BackupSummary& summary) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || info.st_size > kMaxBinaryPlistBytes) {
    return;
  }
  std::string bytes(static_cast<size_t>(info.st_size), '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  ReadInfoPlistBinary(bytes, summary);
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<std::string>& entries) {
  std::vector<FolderEntry> found;
  if (ListFolderEntries(folder, found) != 0) {
    return false;
  }
  for (const FolderEntry& entry : found) {
    if (!entry.name.empty() && entry.name[0] != '.') {
      entries.push_back(JoinPath(folder, entry.name));
    }
  }
  return true;
}

Result ReadSummaryOfFolder(const std::string& folder, BackupSummary& summary) {
  summary = BackupSummary{};
  summary.folderPath = folder;
  UniqueFd fd;
  if (OpenRegularFile(JoinPath(folder, "Info.plist"), fd) != 0) {
    return kMissingFile;
  }
  int raw = fd.Release();
  FilePtr file(fdopen(raw, "rb"), std::fclose);
  if (!file) {
    close(raw);
    return kMissingFile;
  }
  char magic[8] = {};
  size_t got = std::fread(magic, 1, sizeof magic, file.get());
  std::rewind(file.get());
  struct stat info {};
  if (IsBinaryPlist(std::string_view(magic, got))) {
    ReadBinaryInfoPlist(file.get(), summary);
  } else if (fstat(fileno(file.get()), &info) == 0 && info.st_size <= kMaxTextPlistBytes) {
    ReadInfoPlistText(file.get(), summary);
  }
  summary.encrypted = ProbeEncrypted(folder);
  return Result::Ok();
}

void ReadSummariesOf(const std::vector<std::string>& folders,
                     std::vector<BackupSummary>& summaries) {
  for (const std::string& folder : folders) {
    BackupSummary summary;
    if (ReadSummaryOfFolder(folder, summary).ok()) {
      summaries.push_back(std::move(summary));
    }
  }
  SortSummariesNewestFirst(summaries);
}

void SortSummariesNewestFirst(std::vector<BackupSummary>& summaries) {
  std::stable_sort(summaries.begin(), summaries.end(),
                   [](const BackupSummary& a, const BackupSummary& b) {
                     return AsciiCaseCompare(a.lastBackupDate, b.lastBackupDate) > 0;
                   });
}

}  // namespace zbe
