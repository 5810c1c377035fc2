#include "tools/crypto/PrefixedKey.h"

#include "tools/crypto/AesKeyWrap.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

Result SplitPrefixedKey(ByteView blob, uint32_t* protectionClass, ByteView* wrapped) {
  if (blob.size() != kPrefixedKeySize) {
    return kMalformed;
  }
  *protectionClass = uint32_t{blob[0]} | (uint32_t{blob[1]} << 8) | (uint32_t{blob[2]} << 16) |
                     (uint32_t{blob[3]} << 24);
  *wrapped = blob.subspan(4);
  return kOk;
}

Result UnwrapPrefixedKey(const ClassKeys& keys, ByteView blob, std::optional<uint32_t> classHint,
                         SecretBytes* key) {
  key->clear();
  uint32_t prefixClass = 0;
  ByteView wrapped;
  Result rc = SplitPrefixedKey(blob, &prefixClass, &wrapped);
  if (rc != kOk) {
    return rc;
  }
  std::optional<uint32_t> candidates[2] = {classHint, prefixClass};
  if (classHint == prefixClass) {
    candidates[1].reset();
  }
  Result result = kUnsupported;
  for (const std::optional<uint32_t>& cls : candidates) {
    const SecretBytes* classKey = cls ? keys.FindAesKey(*cls) : nullptr;
    if (classKey == nullptr) {
      continue;
    }
    rc = AesKeyUnwrap(*classKey, wrapped, key);
    if (rc == kOk && key->size() == kContentKeySize) {
      return kOk;
    }
    key->clear();
    result = rc == kCryptoFailure ? kCryptoFailure : kUnwrapFailed;
  }
  return result;
}

Result WrapPrefixedKey(const ClassKeys& keys, uint32_t protectionClass, ByteView key, Bytes* blob) {
  blob->clear();
  const SecretBytes* classKey = keys.FindAesKey(protectionClass);
  if (classKey == nullptr || key.size() != kContentKeySize) {
    return kBadArgument;
  }
  Bytes wrapped;
  Result rc = AesKeyWrap(*classKey, key, &wrapped);
  if (rc != kOk) {
    return rc;
  }
  blob->reserve(kPrefixedKeySize);
  for (int shift = 0; shift < 32; shift += 8) {
    blob->push_back(static_cast<uint8_t>(protectionClass >> shift));
  }
  blob->insert(blob->end(), wrapped.begin(), wrapped.end());
  return kOk;
}

}  // namespace zbe::crypto
