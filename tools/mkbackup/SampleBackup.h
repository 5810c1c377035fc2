#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tools/mkbackup/SampleRandom.h"

namespace zbe::mkbackup {

// File type bits of a stored file's mode.
inline constexpr uint16_t kModeFile = 0x81A4;    // regular file, rw-r--r--
inline constexpr uint16_t kModeFolder = 0x41ED;  // folder, rwxr-xr-x
inline constexpr uint16_t kModeLink = 0xA1ED;    // symbolic link

// The device facts that "Info.plist" (and "Manifest.plist" and "Status.plist") hold.
struct DeviceInfo {
  std::string displayName;     // "Display Name" and "Device Name"
  int64_t lastBackupDate = 0;  // seconds since 1970, UTC
  std::string phoneNumber;     // "Phone Number"; the key is left out when empty
  std::string productVersion;  // e.g. "17.1"
  std::string productType;     // e.g. "iPhone14,2"
  std::string productName;     // e.g. "iPhone 13 Pro"
  std::string buildVersion;    // e.g. "21B80"
  std::string serialNumber;
  std::string uniqueIdentifier;  // 40 lower-case hexadecimal characters; names the folder
  std::string guid;              // 32 upper-case hexadecimal characters
  std::string iccid;
  std::string imei;
  std::string meid;
  std::string iTunesVersion;
  std::vector<std::string> installedApplications;  // bundle identifiers
};

// One file, folder or link of the device as the backup lists it.
struct StoredFile {
  std::string domain;
  std::string relativePath;  // empty for the domain's own folder
  std::string contents;      // bytes of a file; empty for folders and links
  uint16_t mode = kModeFile;
  std::string linkTarget;  // links only
  uint8_t protectionClass = 4;
  int64_t modified = 0;  // seconds since 1970
  int64_t created = 0;   // seconds since 1970
  uint64_t inode = 0;
  std::string encryptionKey;  // wrapped per-file key; empty in a plain backup

  bool isFolder() const { return (mode & 0xF000) == 0x4000; }
  bool isLink() const { return (mode & 0xF000) == 0xA000; }
  // The manifest's flags: 1 file, 2 folder, 4 link.
  int flags() const { return isFolder() ? 2 : isLink() ? 4 : 1; }
  // Domain "-" relative path: what the file ID is the SHA-1 of.
  std::string manifestPath() const { return domain + "-" + relativePath; }
  std::string fileID() const;
};

// Collects what a sample backup holds: the device facts and the stored files in manifest order.
// Files are added with their folders (each missing folder of the path, the domain's own folder
// first), as a real manifest lists them. Generators for each kind of data add their files through
// AddFile; one seed gives the same backup every time.
class SampleBackup {
 public:
  // A backup of a generated device (serial, identifiers, phone number and the like drawn from
  // "seed"), made at "lastBackupDate".
  SampleBackup(uint32_t seed, int64_t lastBackupDate);

  DeviceInfo& device() { return device_; }
  const DeviceInfo& device() const { return device_; }
  SampleRandom& random() { return random_; }

  // Adds a file with "contents" under "domain" and "relativePath", after its missing folders.
  // Returns the stored file, which stays valid until the next Add call.
  StoredFile& AddFile(const std::string& domain, const std::string& relativePath,
                      std::string contents, uint16_t mode = kModeFile);
  // Adds a folder (and its missing parents) unless it is listed already.
  void AddFolder(const std::string& domain, const std::string& relativePath);
  // Adds a symbolic link to "target".
  void AddLink(const std::string& domain, const std::string& relativePath,
               const std::string& target);

  const std::vector<StoredFile>& files() const { return files_; }
  std::vector<StoredFile>& files() { return files_; }

 private:
  StoredFile& Add(StoredFile file);

  DeviceInfo device_;
  SampleRandom random_;
  std::vector<StoredFile> files_;
  std::set<std::string> folders_;  // manifest paths of the folders listed so far
  uint64_t nextInode_;
};

}  // namespace zbe::mkbackup
