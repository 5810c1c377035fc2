#include "tools/decrypt/StoredFileDecryption.h"

#include <string>

#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoResult.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/FileIo.h"
#include "tools/crypto/PrefixedKey.h"
#include "tools/decrypt/BackupDecryption.h"
#include "tools/decrypt/DecryptionReport.h"

namespace zbe::decrypt {

namespace {

using crypto::kOk;

std::string KeyProblem(int32_t rc, const StoredFile& file) {
  switch (rc) {
    case crypto::kMalformed:
      return "its encryption key in the manifest is malformed; skipped";
    case crypto::kUnsupported: {
      uint32_t cls = 0;
      crypto::ByteView wrapped;
      crypto::SplitPrefixedKey(file.prefixedKey, &cls, &wrapped);
      return "no usable class key for its protection class " +
             std::to_string(file.classHint.value_or(cls)) +
             " (asymmetric or tied to the device); skipped";
    }
    case crypto::kUnwrapFailed:
      return "its encryption key does not unwrap (damaged manifest record); skipped";
    default:
      return std::string("its key could not be unwrapped: ") + crypto::ResultText(rc);
  }
}

std::string DecryptProblem(int32_t rc) {
  switch (rc) {
    case crypto::kTruncated:
      return "stored file is truncated (not a whole number of blocks); skipped";
    case crypto::kBadPadding:
      return "stored file decrypts with invalid padding (damaged or wrong key); written "
             "unverified";
    default:
      return std::string("cannot be decrypted: ") + crypto::ResultText(rc);
  }
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
    if (crypto::IsRegularFile(candidate)) {
      stored = candidate;
      break;
    }
  }
  if (stored.empty()) {
    report.FileProblem(file.fileId, "stored file is missing from the backup; skipped");
    return;
  }
  const std::string outPath = crypto::JoinPath(session.outputFolder, file.fileId);
  uint64_t size = 0;
  if (file.prefixedKey.empty()) {
    const int32_t rc = crypto::CopyFile(stored, outPath, 0600, &size);
    if (rc != kOk) {
      report.FileProblem(file.fileId, std::string("cannot be copied: ") + crypto::ResultText(rc));
    }
    return;
  }
  crypto::SecretBytes key;
  int32_t rc = crypto::UnwrapPrefixedKey(session.keys, file.prefixedKey, file.classHint, &key);
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
