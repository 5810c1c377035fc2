#include "tools/mkbackup/ManifestMbdbWriter.h"

#include "tools/crypto/FileId.h"
#include "tools/crypto/ManifestMbdb.h"

namespace zbe::mkbackup {

std::string EncodeManifestMbdb(const std::vector<StoredFile>& files) {
  std::vector<crypto::MbdbRecord> records;
  records.reserve(files.size());
  for (const StoredFile& file : files) {
    crypto::MbdbRecord record;
    record.domain = file.domain;
    record.path = file.relativePath;
    if (file.isLink()) {
      record.linkTarget = file.linkTarget;
    }
    if (file.flags() == 1) {
      crypto::Bytes hash = crypto::Sha1Digest(crypto::AsBytes(file.contents));
      record.dataHash = std::string(hash.begin(), hash.end());
    }
    if (!file.encryptionKey.empty()) {
      record.encryptionKey = file.encryptionKey;
    }
    record.mode = file.mode;
    record.inode = file.inode;
    record.userId = 501;
    record.groupId = 501;
    record.lastModified = static_cast<uint32_t>(file.modified);
    record.lastStatusChange = static_cast<uint32_t>(file.modified);
    record.birth = static_cast<uint32_t>(file.created);
    record.size = file.contents.size();
    record.protectionClass = file.protectionClass;
    records.push_back(std::move(record));
  }
  crypto::Bytes data;
  if (crypto::SerializeMbdb(records, &data) != crypto::kOk) {
    return {};
  }
  return std::string(data.begin(), data.end());
}

}  // namespace zbe::mkbackup
