#include "tools/crypto/CryptoResult.h"

#include <cstring>

namespace zbe::crypto {

const char* ResultText(int32_t code) {
  switch (code) {
    case kOk:
      return "success";
    case kWrongPassword:
      return "wrong password";
    case kMissingFile:
      return "file is missing or cannot be opened";
    case kMalformed:
      return "data is malformed";
    case kUnwrapFailed:
      return "key does not unwrap (damaged key or wrong class key)";
    case kBadPadding:
      return "decrypted data has invalid padding (damaged file or wrong key)";
    case kTruncated:
      return "encrypted data is truncated (length is not a multiple of 16 bytes)";
    case kUnsupported:
      return "unsupported encryption variant";
    case kCryptoFailure:
      return "cryptographic library failure";
    case kNotEncrypted:
      return "backup is not encrypted";
    case kImplausible:
      return "implausible iteration count in the keybag";
    case kDatabaseError:
      return "database error";
    case kBadArgument:
      return "invalid argument";
    default:
      return code > 0 ? std::strerror(code) : "unknown error";
  }
}

}  // namespace zbe::crypto
