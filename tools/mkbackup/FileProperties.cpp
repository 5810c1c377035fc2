#include "tools/mkbackup/FileProperties.h"

#include "tools/crypto/MbFileArchive.h"

namespace zbe::mkbackup {

std::string ArchivedFileProperties(const StoredFile& file) {
  crypto::MbFile archived;
  archived.relativePath = file.relativePath;
  archived.lastModified = static_cast<uint64_t>(file.modified);
  archived.lastStatusChange = static_cast<uint64_t>(file.modified);
  archived.birth = static_cast<uint64_t>(file.created);
  archived.size = file.contents.size();
  archived.mode = file.mode;
  archived.userId = 501;
  archived.groupId = 501;
  archived.inode = file.inode;
  archived.protectionClass = file.protectionClass;
  archived.flags = 0;
  if (file.isLink()) {
    archived.target = file.linkTarget;
  }
  archived.encryptionKey.assign(file.encryptionKey.begin(), file.encryptionKey.end());
  crypto::Bytes blob;
  crypto::WriteMbFile(archived, &blob);
  return std::string(blob.begin(), blob.end());
}

}  // namespace zbe::mkbackup
