#include "tools/mkbackup/BackupWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "backup/StoredFiles.h"
#include "platform/FileSystem.h"
#include "tools/mkbackup/ManifestDbWriter.h"
#include "tools/mkbackup/ManifestMbdbWriter.h"
#include "tools/mkbackup/MetadataPlists.h"

namespace zbe::mkbackup {
namespace {

int32_t WriteBytes(const std::string& path, const std::string& bytes, std::string& error) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wbx"),
                                                       std::fclose);
  bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  int code = errno;
  if (file && std::fclose(file.release()) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    error = "cannot write " + path + ": " + std::strerror(code);
    return code != 0 ? code : EIO;
  }
  return 0;
}

int32_t CheckOutputFolder(const std::string& outDir, std::string& error) {
  int32_t result = CreateFolders(outDir);
  if (result != 0) {
    error = "cannot create " + outDir + ": " + std::strerror(result);
    return result;
  }
  std::vector<FolderEntry> entries;
  result = ListFolderEntries(outDir, entries);
  if (result != 0) {
    error = "cannot list " + outDir + ": " + std::strerror(result);
    return result;
  }
  if (!entries.empty()) {
    error = outDir + " is not empty; a sample backup is only written into an empty folder";
    return ENOTEMPTY;
  }
  return 0;
}

}  // namespace

int32_t WriteBackup(const SampleBackup& backup, const std::string& outDir,
                    const WriteOptions& options, std::string& error) {
  int32_t result = CheckOutputFolder(outDir, error);
  if (result != 0) {
    return result;
  }
  bool legacy = options.layout == ManifestLayout::kMbdb;
  const DeviceInfo& device = backup.device();
  if ((result = WriteBytes(JoinPath(outDir, "Info.plist"), PlistToXml(BuildInfoPlist(device).get()),
                           error)) != 0 ||
      (result = WriteBytes(JoinPath(outDir, "Manifest.plist"),
                           PlistToBinary(BuildManifestPlist(device, legacy).get()), error)) != 0 ||
      (result = WriteBytes(JoinPath(outDir, "Status.plist"),
                           PlistToBinary(BuildStatusPlist(device).get()), error)) != 0) {
    return result;
  }
  if (legacy) {
    std::string mbdb = EncodeManifestMbdb(backup.files());
    if (mbdb.empty()) {
      error = "a domain or path is too long for Manifest.mbdb (65535 bytes or more)";
      return EINVAL;
    }
    result = WriteBytes(JoinPath(outDir, "Manifest.mbdb"), mbdb, error);
  } else {
    result = WriteManifestDb(JoinPath(outDir, "Manifest.db"), backup.files(), error);
  }
  if (result != 0) {
    return result;
  }
  StoredFileLayout layout = legacy ? StoredFileLayout::kFlat : StoredFileLayout::kTwoLevel;
  for (const StoredFile& file : backup.files()) {
    if (file.flags() != 1) {
      continue;
    }
    std::string path = StoredFilePath(outDir, file.fileID(), layout);
    if ((result = CreateFolders(ParentFolder(path))) != 0) {
      error = "cannot create " + ParentFolder(path) + ": " + std::strerror(result);
      return result;
    }
    if ((result = WriteBytes(path, file.contents, error)) != 0) {
      return result;
    }
  }
  return 0;
}

}  // namespace zbe::mkbackup
