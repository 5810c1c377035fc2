#include "tools/decrypt/StoredFileDecryption.h"

#include <string>

#include "platform/FileSystem.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/PrefixedKey.h"
#include "tools/decrypt/BackupDecryption.h"
#include "tools/decrypt/DecryptionReport.h"

namespace zbe::decrypt {

namespace {

using crypto::kOk;

std::string KeyProblem(const Result& rc, const StoredFile& file) {
  if (rc == crypto::kMalformed) {
    return "its encryption key in the manifest is malformed; skipped";
  }
  if (rc == crypto::kUnsupported) {
    uint32_t cls = 0;
    crypto::ByteView wrapped;
    crypto::SplitPrefixedKey(file.prefixedKey, &cls, &wrapped);
    return "no usable class key for its protection class " +
           std::to_string(file.classHint.value_or(cls)) +
           " (asymmetric or tied to the device); skipped";
  }
  if (rc == crypto::kUnwrapFailed) {
    return "its encryption key does not unwrap (damaged manifest record); skipped";
  }
  return std::string("its key could not be unwrapped: ") + rc.Text();
}

std::string DecryptProblem(const Result& rc) {
  if (rc == crypto::kTruncated) {
    return "stored file is truncated (not a whole number of blocks); skipped";
  }
  if (rc == crypto::kBadPadding) {
    return "stored file decrypts with invalid padding (damaged or wrong key); written "
           "unverified";
  }
  return std::string("cannot be decrypted: ") + rc.Text();
}

}  // namespace

void DecryptStoredFile(const DecryptionSession& session, const StoredFile& file) {
  DecryptionReport& report = session.report;
  if (!crypto::IsValidFileId(file.fileId)) {
    report.FileProblem("(invalid file ID)",
                       "the manifest names a stored file that is not 40 hexadecimal "
                       "characters; skipped");
    return;
  }
  std::string stored;
  for (const std::string& candidate : file.candidatePaths) {
    if (IsRegularFile(candidate)) {
      stored = candidate;
      break;
    }
  }
  if (stored.empty()) {
    report.FileProblem(file.fileId, "stored file is missing from the backup; skipped");
    return;
  }
  const std::string outPath = JoinPath(session.outputFolder, file.fileId);
  uint64_t size = 0;
  if (file.prefixedKey.empty()) {
    const Result rc = crypto::OpenResult(CopyFileBytes(stored, outPath, 0600));
    if (rc != kOk) {
      report.FileProblem(file.fileId, std::string("cannot be copied: ") + rc.Text());
    }
    return;
  }
  crypto::SecretBytes key;
  Result rc = crypto::UnwrapPrefixedKey(session.keys, file.prefixedKey, file.classHint, &key);
  if (rc != kOk) {
    report.FileProblem(file.fileId, KeyProblem(rc, file));
    return;
  }
  rc = crypto::DecryptFile(stored, key, outPath, crypto::PaddingRule::kStrict, file.recordedSize,
                           &size);
  if (rc != kOk) {
    report.FileProblem(file.fileId, DecryptProblem(rc));
    return;
  }
  if (file.recordedSize && *file.recordedSize != size) {
    report.Warning(file.fileId + ": decrypted size " + std::to_string(size) +
                   " differs from the recorded size " + std::to_string(*file.recordedSize) +
                   "; kept the decrypted size");
  }
}

}  // namespace zbe::decrypt
