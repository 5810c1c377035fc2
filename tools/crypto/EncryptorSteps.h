#pragma once

// Steps shared by the two layouts of EncryptBackupFolder; not part of the public interface.

#include <cstdint>
#include <optional>
#include <string>

#include "tools/crypto/BackupEncryptor.h"
#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

class ClassKeys;
class KeySource;

struct EncryptContext {
  const std::string& plainFolder;
  const std::string& outFolder;
  const ClassKeys& keys;
  KeySource& source;
  const EncryptOptions& options;
  EncryptReport& report;
};

// The class a file is encrypted with: "recorded" when it has a usable key, else the default.
uint32_t ChooseProtectionClass(const EncryptContext& ctx, std::optional<uint64_t> recorded);

// Encrypts the stored file "plainPath" into "outPath" with a fresh key, returned wrapped under
// class "protectionClass" in "prefixedKey". A missing plain file is counted in the report and
// gives kOk with "present" false (the key is still made, as the manifest names one). Returns
// kOk and sets "plainSize", or an error of EncryptFile or WrapPrefixedKey.
Result EncryptStoredFile(EncryptContext& ctx, const std::string& plainPath,
                         const std::string& outPath, uint32_t protectionClass, Bytes* prefixedKey,
                         uint64_t* plainSize, bool* present);

// Writes "data" as a new file of the output (mode 0600).
Result WriteOutputFile(const std::string& path, ByteView data);

// The Manifest.db layout. Sets "manifestKey" (empty when the database stays plain).
Result EncryptManifestDbLayout(EncryptContext& ctx, Bytes* manifestKey);

// The Manifest.mbdb layout.
Result EncryptMbdbLayout(EncryptContext& ctx);

}  // namespace zbe::crypto
