#include "tools/crypto/FileId.h"

#include <openssl/evp.h>

namespace zbe::crypto {

Bytes Sha1Digest(ByteView bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha1(), nullptr) != 1) {
    return {};
  }
  return Bytes(digest, digest + length);
}

std::string ComputeFileId(std::string_view domain, std::string_view relativePath) {
  std::string text;
  text.reserve(domain.size() + 1 + relativePath.size());
  text.append(domain).append("-").append(relativePath);
  const Bytes digest = Sha1Digest(AsBytes(text));
  static const char kHex[] = "0123456789abcdef";
  std::string id;
  id.reserve(2 * digest.size());
  for (uint8_t byte : digest) {
    id.push_back(kHex[byte >> 4]);
    id.push_back(kHex[byte & 0xF]);
  }
  return id;
}

bool IsValidFileId(std::string_view fileId) {
  if (fileId.size() != 40) {
    return false;
  }
  for (char c : fileId) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) {
      return false;
    }
  }
  return true;
}

}  // namespace zbe::crypto
