#include "tools/crypto/FileId.h"

#include <openssl/evp.h>

namespace zbe::crypto {

std::string ComputeFileId(std::string_view domain, std::string_view relativePath) {
  std::string text;
  text.reserve(domain.size() + 1 + relativePath.size());
  text.append(domain).append("-").append(relativePath);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha1(), nullptr) != 1) {
    return {};
  }
  static const char kHex[] = "0123456789abcdef";
  std::string id;
  id.reserve(2 * length);
  for (unsigned int i = 0; i < length; ++i) {
    id.push_back(kHex[digest[i] >> 4]);
    id.push_back(kHex[digest[i] & 0xF]);
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
