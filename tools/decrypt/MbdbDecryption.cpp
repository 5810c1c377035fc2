#include "tools/decrypt/MbdbDecryption.h"

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/FileBytes.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/ManifestMbdb.h"
#include "tools/decrypt/BackupDecryption.h"
#include "tools/decrypt/DecryptionReport.h"
#include "tools/decrypt/StoredFileDecryption.h"

namespace zbe::decrypt {

namespace {

constexpr size_t kMaxMbdbSize = size_t{1} << 30;

}  // namespace

bool DecryptMbdbBackup(const DecryptionSession& session) {
  DecryptionReport& report = session.report;
  crypto::Bytes data;
  Result rc =
      crypto::ReadFileBytes(JoinPath(session.backupFolder, "Manifest.mbdb"), kMaxMbdbSize, &data);
  if (rc != crypto::kOk) {
    report.Fatal(std::string("cannot read Manifest.mbdb: ") + rc.Text());
    return false;
  }
  std::vector<crypto::MbdbRecord> records;
  bool truncated = false;
  if (crypto::ParseMbdb(data, &records, &truncated) != crypto::kOk) {
    report.Fatal("Manifest.mbdb is not a binary manifest (no \"mbdb\" header)");
    return false;
  }
  for (const crypto::MbdbRecord& record : records) {
    if (!record.IsRegularFile() || !record.domain || !record.path) {
      continue;
    }
    StoredFile file;
    file.fileId = crypto::ComputeFileId(*record.domain, *record.path);
    file.candidatePaths = {
        JoinPath(session.backupFolder, file.fileId),
        JoinPath(JoinPath(session.backupFolder, file.fileId.substr(0, 2)), file.fileId)};
    if (record.encryptionKey) {
      file.prefixedKey = crypto::AsBytes(*record.encryptionKey);
    }
    file.classHint = record.protectionClass;
    file.recordedSize = record.size;
    DecryptStoredFile(session, file);
    report.FileDone();
  }
  if (truncated) {
    report.ManifestIncomplete(
        "Manifest.mbdb ends inside a record; files listed after it cannot be decrypted");
  }
  return true;
}

}  // namespace zbe::decrypt
