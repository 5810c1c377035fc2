#include "tools/crypto/KeySource.h"

#include <algorithm>
#include <climits>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

namespace {

void PutLe64(uint8_t* out, uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    out[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

}  // namespace

Result KeySource::Fill(std::span<uint8_t> out) {
  if (!seeded_) {
    if (out.size() > INT_MAX) {
      return kBadArgument;
    }
    return out.empty() || RAND_bytes(out.data(), static_cast<int>(out.size())) == 1
               ? kOk
               : kCryptoFailure;
  }
  size_t done = 0;
  while (done < out.size()) {
    uint8_t input[16];
    PutLe64(input, seed_);
    PutLe64(input + 8, counter_++);
    uint8_t block[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(input, sizeof(input), block, &length, EVP_sha256(), nullptr) != 1) {
      return kCryptoFailure;
    }
    const size_t take = std::min<size_t>(length, out.size() - done);
    std::copy(block, block + take, out.data() + done);
    OPENSSL_cleanse(block, sizeof(block));
    done += take;
  }
  return kOk;
}

}  // namespace zbe::crypto
