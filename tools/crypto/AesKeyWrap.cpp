#include "tools/crypto/AesKeyWrap.h"

#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/OpenSslHandles.h"

namespace zbe::crypto {

namespace {

constexpr size_t kSemiblock = 8;
// Keys in backups are 32 bytes; this bound only keeps int conversions safe.
constexpr size_t kMaxKeyData = 4096;

const EVP_CIPHER* WrapCipherFor(size_t kekSize) {
  switch (kekSize) {
    case 16:
      return EVP_aes_128_wrap();
    case 24:
      return EVP_aes_192_wrap();
    case 32:
      return EVP_aes_256_wrap();
    default:
      return nullptr;
  }
}

bool ValidKeyDataSize(size_t size) {
  return size >= 2 * kSemiblock && size % kSemiblock == 0 && size <= kMaxKeyData;
}

}  // namespace

Result AesKeyWrap(ByteView kek, ByteView keyData, Bytes* wrapped) {
  wrapped->clear();
  const EVP_CIPHER* cipher = WrapCipherFor(kek.size());
  if (cipher == nullptr || !ValidKeyDataSize(keyData.size())) {
    return kBadArgument;
  }
  UniqueCipherCtx ctx = NewCipherCtx();
  if (!ctx) {
    return kCryptoFailure;
  }
  // Older OpenSSL refuses wrap ciphers in EVP unless the caller opts in.
  EVP_CIPHER_CTX_set_flags(ctx.get(), EVP_CIPHER_CTX_FLAG_WRAP_ALLOW);
  Bytes out(keyData.size() + 2 * kSemiblock);
  int len = 0;
  int finalLen = 0;
  if (EVP_EncryptInit_ex(ctx.get(), cipher, nullptr, kek.data(), nullptr) != 1 ||
      EVP_EncryptUpdate(ctx.get(), out.data(), &len, keyData.data(),
                        static_cast<int>(keyData.size())) != 1 ||
      EVP_EncryptFinal_ex(ctx.get(), out.data() + len, &finalLen) != 1 ||
      static_cast<size_t>(len + finalLen) != keyData.size() + kSemiblock) {
    return kCryptoFailure;
  }
  out.resize(static_cast<size_t>(len + finalLen));
  *wrapped = std::move(out);
  return kOk;
}

Result AesKeyUnwrap(ByteView kek, ByteView wrapped, SecretBytes* keyData) {
  keyData->clear();
  const EVP_CIPHER* cipher = WrapCipherFor(kek.size());
  if (cipher == nullptr || wrapped.size() < kSemiblock ||
      !ValidKeyDataSize(wrapped.size() - kSemiblock)) {
    return kBadArgument;
  }
  UniqueCipherCtx ctx = NewCipherCtx();
  if (!ctx) {
    return kCryptoFailure;
  }
  EVP_CIPHER_CTX_set_flags(ctx.get(), EVP_CIPHER_CTX_FLAG_WRAP_ALLOW);
  SecretBytes out(wrapped.size() + kSemiblock);
  int len = 0;
  int finalLen = 0;
  if (EVP_DecryptInit_ex(ctx.get(), cipher, nullptr, kek.data(), nullptr) != 1) {
    return kCryptoFailure;
  }
  // The wrap cipher checks the initial value inside Update and fails it on a mismatch.
  if (EVP_DecryptUpdate(ctx.get(), out.data(), &len, wrapped.data(),
                        static_cast<int>(wrapped.size())) != 1 ||
      EVP_DecryptFinal_ex(ctx.get(), out.data() + len, &finalLen) != 1 ||
      static_cast<size_t>(len + finalLen) != wrapped.size() - kSemiblock) {
    return kUnwrapFailed;
  }
  out.resize(static_cast<size_t>(len + finalLen));
  *keyData = std::move(out);
  return kOk;
}

}  // namespace zbe::crypto
