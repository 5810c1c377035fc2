#pragma once

#include <cstdint>

namespace zbe::crypto {

// Result codes of the backup cryptography library. 0, -110 and 87 mean what they mean everywhere
// in the project; positive values other than 87 are errno values of a failed system call. The
// library's own conditions are negative so that they never collide with errno or SQLite codes.
inline constexpr int32_t kOk = 0;
inline constexpr int32_t kWrongPassword = -110;  // a class key failed its unwrap check
inline constexpr int32_t kMissingFile = 87;      // a needed file is missing or cannot be opened
inline constexpr int32_t kMalformed = -201;      // data is not in the format it should have
inline constexpr int32_t kUnwrapFailed = -202;   // a file or manifest key failed its unwrap check
inline constexpr int32_t kBadPadding = -203;     // decrypted data ends without valid PKCS#7 padding
inline constexpr int32_t kTruncated = -204;      // ciphertext length is not a multiple of 16
inline constexpr int32_t kUnsupported = -205;    // a valid variant this code cannot handle
inline constexpr int32_t kCryptoFailure = -206;  // OpenSSL or libplist failed internally
inline constexpr int32_t kNotEncrypted = -207;   // the backup is not password-encrypted
inline constexpr int32_t kImplausible = -208;    // an iteration count outside sane limits
inline constexpr int32_t kDatabaseError = -209;  // SQLite refused an operation
inline constexpr int32_t kBadArgument = -210;    // the caller passed an unusable argument

// A short English description of "code" (any of the above, or an errno value). The returned text
// is static.
const char* ResultText(int32_t code);

}  // namespace zbe::crypto
