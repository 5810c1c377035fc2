// The Manifest.mbdb layout of EncryptBackupFolder.

#include "platform/FileSystem.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/EncryptorSteps.h"
#include "tools/crypto/FileBytes.h"
#include "tools/crypto/FileId.h"
#include "tools/crypto/ManifestMbdb.h"

namespace zbe::crypto {

namespace {

// Binary manifests of even the largest devices stay far below this.
constexpr size_t kMaxMbdbSize = size_t{1} << 30;

}  // namespace

Result EncryptMbdbLayout(EncryptContext& ctx) {
  Bytes data;
  Result rc = ReadFileBytes(JoinPath(ctx.plainFolder, "Manifest.mbdb"), kMaxMbdbSize, &data);
  if (rc != kOk) {
    return rc;
  }
  std::vector<MbdbRecord> records;
  bool truncated = false;
  rc = ParseMbdb(data, &records, &truncated);
  if (rc != kOk || truncated) {
    // A shortened twin would lose files silently.
    return kMalformed;
  }
  for (MbdbRecord& record : records) {
    if (!record.IsRegularFile() || !record.domain || !record.path) {
      continue;
    }
    const std::string fileId = ComputeFileId(*record.domain, *record.path);
    if (fileId.empty()) {
      return kCryptoFailure;
    }
    const uint32_t cls = ChooseProtectionClass(ctx, record.protectionClass);
    Bytes prefixedKey;
    uint64_t size = 0;
    bool present = false;
    rc = EncryptStoredFile(ctx, JoinPath(ctx.plainFolder, fileId), JoinPath(ctx.outFolder, fileId),
                           cls, &prefixedKey, &size, &present);
    if (rc != kOk) {
      return rc;
    }
    record.encryptionKey = std::string(prefixedKey.begin(), prefixedKey.end());
    record.protectionClass = static_cast<uint8_t>(cls);
  }
  Bytes out;
  rc = SerializeMbdb(records, &out);
  return rc == kOk ? WriteOutputFile(JoinPath(ctx.outFolder, "Manifest.mbdb"), out) : rc;
}

}  // namespace zbe::crypto
