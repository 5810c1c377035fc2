#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/OpenSslHandles.h"

namespace zbe::crypto {

// Content encryption of backups: AES-256-CBC with an all-zero IV over the whole file, PKCS#7
// padding (1 to 16 bytes, so an empty file becomes one block). The same scheme encrypts
// Manifest.db under the manifest key.

inline constexpr size_t kAesBlockSize = 16;

// How strictly the last block's padding is checked.
enum class PaddingRule {
  kStrict,  // valid PKCS#7 padding is required
  // Also accepts data without padding when it is a whole number of 512-byte pages and begins
  // with the SQLite header: some writers encrypt Manifest.db without padding.
  kAcceptUnpaddedSqlite,
};

// Streaming encryption. No copying.
class ContentEncryptor {
 public:
  ContentEncryptor() = default;
  ContentEncryptor(const ContentEncryptor&) = delete;
  ContentEncryptor& operator=(const ContentEncryptor&) = delete;

  // Starts with a 32-byte key. Returns kOk, kBadArgument, or kCryptoFailure.
  Result Init(ByteView key);
  // Appends the ciphertext of the next plaintext piece to "out". Returns kOk or kCryptoFailure.
  Result Update(ByteView plain, Bytes* out);
  // Appends the final padded block. Returns kOk or kCryptoFailure.
  Result Finish(Bytes* out);

 private:
  UniqueCipherCtx ctx_;
};

// Streaming decryption that holds the last block back until Finish, so that its padding can be
// checked and removed. No copying.
class ContentDecryptor {
 public:
  ContentDecryptor() = default;
  ContentDecryptor(const ContentDecryptor&) = delete;
  ContentDecryptor& operator=(const ContentDecryptor&) = delete;

  // Starts with a 32-byte key. Returns kOk, kBadArgument, or kCryptoFailure.
  Result Init(ByteView key);
  // Appends to "out" the plaintext of everything given so far except the last full block.
  // Returns kOk or kCryptoFailure.
  Result Update(ByteView cipher, Bytes* out);
  // Appends the held-back block without its padding. Returns kOk (also for empty input, which
  // yields nothing); kTruncated when the input was not a multiple of 16 bytes (nothing appended);
  // kBadPadding when the padding is invalid under "rule" (the whole block is appended, so the
  // caller has a best-effort plaintext).
  Result Finish(PaddingRule rule, Bytes* out);

 private:
  UniqueCipherCtx ctx_;
  Bytes held_;               // decrypted bytes not yet handed out (at most one block)
  Bytes firstBlock_;         // first plaintext block, for the SQLite header test
  uint64_t cipherSize_ = 0;  // bytes of ciphertext seen
};

// Encrypts "plain" in memory. Returns kOk, kBadArgument (key not 32 bytes), or kCryptoFailure.
Result EncryptBytes(ByteView plain, ByteView key, Bytes* cipher);

// Decrypts "cipher" in memory with the results of ContentDecryptor::Finish.
Result DecryptBytes(ByteView cipher, ByteView key, PaddingRule rule, Bytes* plain);

// Decrypts the file "cipherPath" into "plainPath", which is created with mode 0600 (an existing
// file is replaced; a symbolic link there is refused). Streams, so memory use does not depend on
// the file size. "sizeHint" is the size a manifest records; it only matters when the padding is
// invalid, to cut the best-effort plaintext to it when it is smaller.
// Returns kOk and sets "plainSize"; kMissingFile when "cipherPath" does not exist; kTruncated
// when its length is not a multiple of 16 ("plainPath" is not created); kBadPadding when the
// padding is invalid ("plainPath" then holds the best-effort plaintext and "plainSize" its size);
// an errno value when reading or writing fails (a partial "plainPath" is removed); kBadArgument;
// kCryptoFailure.
Result DecryptFile(const std::string& cipherPath, ByteView key, const std::string& plainPath,
                   PaddingRule rule, std::optional<uint64_t> sizeHint, uint64_t* plainSize);

// Encrypts the file "plainPath" into "cipherPath", created with "mode". Streams. Returns kOk and
// sets "plainSize"; kMissingFile; an errno value (a partial "cipherPath" is removed);
// kBadArgument; kCryptoFailure.
Result EncryptFile(const std::string& plainPath, ByteView key, const std::string& cipherPath,
                   mode_t mode, uint64_t* plainSize);

}  // namespace zbe::crypto
