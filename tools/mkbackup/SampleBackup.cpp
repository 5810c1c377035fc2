#include "tools/mkbackup/SampleBackup.h"

#include "tools/crypto/FileId.h"

namespace zbe::mkbackup {

std::string StoredFile::fileID() const {
  return crypto::ComputeFileId(domain, relativePath);
}

SampleBackup::SampleBackup(uint32_t seed, int64_t lastBackupDate) : random_(seed) {
  device_.displayName = "iPhone";
  device_.lastBackupDate = lastBackupDate;
  device_.phoneNumber = "+1 (555) 01" + random_.Digits(1) + "-" + random_.Digits(4);
  device_.productVersion = "17.1";
  device_.productType = "iPhone14,2";
  device_.productName = "iPhone 13 Pro";
  device_.buildVersion = "21B80";
  device_.serialNumber = "F" + random_.Alphanumeric(11);
  device_.uniqueIdentifier = random_.LowerHex(40);
  device_.guid = random_.UpperHex(32);
  device_.iccid = "8901" + random_.Digits(15);
  device_.imei = "35" + random_.Digits(13);
  device_.meid = "35" + random_.Digits(12);
  device_.iTunesVersion = "12.12.10.1";
  device_.installedApplications = {"com.apple.Pages", "com.example.notes", "net.whatsapp.WhatsApp"};
  nextInode_ = 10000 + random_.Below(50000);
}

StoredFile& SampleBackup::Add(StoredFile file) {
  // Files were written some time in the year before the backup.
  file.modified = device_.lastBackupDate - random_.Between(3600, 365 * 86400);
  file.created = file.modified - random_.Between(0, 30 * 86400);
  file.inode = nextInode_++;
  files_.push_back(std::move(file));
  return files_.back();
}

void SampleBackup::AddFolder(const std::string& domain, const std::string& relativePath) {
  if (folders_.count(domain + "-" + relativePath) != 0) {
    return;
  }
  if (!relativePath.empty()) {
    size_t slash = relativePath.rfind('/');
    AddFolder(domain, slash == std::string::npos ? std::string() : relativePath.substr(0, slash));
  }
  folders_.insert(domain + "-" + relativePath);
  StoredFile folder;
  folder.domain = domain;
  folder.relativePath = relativePath;
  folder.mode = kModeFolder;
  Add(std::move(folder));
}

StoredFile& SampleBackup::AddFile(const std::string& domain, const std::string& relativePath,
                                  std::string contents, uint16_t mode) {
  size_t slash = relativePath.rfind('/');
  AddFolder(domain, slash == std::string::npos ? std::string() : relativePath.substr(0, slash));
  StoredFile file;
  file.domain = domain;
  file.relativePath = relativePath;
  file.contents = std::move(contents);
  file.mode = mode;
  file.protectionClass = 3;
  return Add(std::move(file));
}

void SampleBackup::AddLink(const std::string& domain, const std::string& relativePath,
                           const std::string& target) {
  StoredFile& link = AddFile(domain, relativePath, std::string(), kModeLink);
  link.linkTarget = target;
  link.protectionClass = 0;
}

}  // namespace zbe::mkbackup
