#include "tools/crypto/KeyDerivation.h"

#include <climits>

#include <openssl/evp.h>

#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"

namespace zbe::crypto {

namespace {

Result Pbkdf2(const EVP_MD* digest, ByteView password, ByteView salt, uint32_t iterations,
              std::span<uint8_t> out) {
  if (iterations == 0 || iterations > INT_MAX || password.size() > INT_MAX ||
      salt.size() > INT_MAX || out.size() > INT_MAX) {
    return kBadArgument;
  }
  // OpenSSL wants a non-null pointer even for an empty password.
  static const char kEmpty[1] = {0};
  const char* pass = password.empty() ? kEmpty : reinterpret_cast<const char*>(password.data());
  if (PKCS5_PBKDF2_HMAC(pass, static_cast<int>(password.size()), salt.data(),
                        static_cast<int>(salt.size()), static_cast<int>(iterations), digest,
                        static_cast<int>(out.size()), out.data()) != 1) {
    return kCryptoFailure;
  }
  return kOk;
}

}  // namespace

Result Pbkdf2HmacSha1(ByteView password, ByteView salt, uint32_t iterations,
                      std::span<uint8_t> out) {
  return Pbkdf2(EVP_sha1(), password, salt, iterations, out);
}

Result Pbkdf2HmacSha256(ByteView password, ByteView salt, uint32_t iterations,
                        std::span<uint8_t> out) {
  return Pbkdf2(EVP_sha256(), password, salt, iterations, out);
}

Result DerivePasscodeKey(ByteView password, const Keybag& keybag, SecretBytes* kek) {
  if (keybag.salt.empty() || !keybag.iterations) {
    return kMalformed;
  }
  const bool hasDpSalt = !keybag.dpSalt.empty();
  const bool hasDpIterations = keybag.dpIterations.has_value();
  if (hasDpSalt != hasDpIterations) {
    return kMalformed;
  }
  if (*keybag.iterations == 0 || *keybag.iterations > kMaxSha1Iterations ||
      (hasDpIterations &&
       (*keybag.dpIterations == 0 || *keybag.dpIterations > kMaxSha256Iterations))) {
    return kImplausible;
  }
  kek->assign(kPasscodeKeySize, 0);
  if (!hasDpSalt) {
    return Pbkdf2HmacSha1(password, keybag.salt, *keybag.iterations, *kek);
  }
  SecretBytes stage1(kPasscodeKeySize);
  Result rc = Pbkdf2HmacSha256(password, keybag.dpSalt, *keybag.dpIterations, stage1);
  if (rc != kOk) {
    return rc;
  }
  return Pbkdf2HmacSha1(stage1, keybag.salt, *keybag.iterations, *kek);
}

}  // namespace zbe::crypto
