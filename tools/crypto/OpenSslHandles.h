#pragma once

#include <memory>

#include <openssl/evp.h>

namespace zbe::crypto {

struct CipherCtxDeleter {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
// Owns an OpenSSL cipher context; freeing also wipes the key schedule.
using UniqueCipherCtx = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxDeleter>;

inline UniqueCipherCtx NewCipherCtx() {
  return UniqueCipherCtx(EVP_CIPHER_CTX_new());
}

}  // namespace zbe::crypto
