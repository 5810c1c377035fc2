#pragma once

#include <cerrno>
#include <cstdint>

#include "records/Result.h"

namespace zbe::crypto {

// Results of the backup cryptography library: success, its own codes below, or the system error
// of a failed call (Result::System). -110 and 87 mean what they mean everywhere in the project;
// the library's own conditions are negative. The texts are the library's, which the decryption
// tool prints after its own words ("tool: cannot read Manifest.plist: data is malformed").
inline constexpr Result kOk{};
inline constexpr ResultCode kWrongPassword{-110, "wrong password"};  // a class key failed its check
inline constexpr ResultCode kMissingFile{87, "file is missing or cannot be opened"};
inline constexpr ResultCode kMalformed{-201, "data is malformed"};
inline constexpr ResultCode kUnwrapFailed{-202,
                                          "key does not unwrap (damaged key or wrong class key)"};
inline constexpr ResultCode kBadPadding{
    -203, "decrypted data has invalid padding (damaged file or wrong key)"};
inline constexpr ResultCode kTruncated{
    -204, "encrypted data is truncated (length is not a multiple of 16 bytes)"};
inline constexpr ResultCode kUnsupported{-205, "unsupported encryption variant"};
inline constexpr ResultCode kCryptoFailure{-206,
                                           "cryptographic library failure"};  // OpenSSL, libplist
inline constexpr ResultCode kNotEncrypted{-207, "backup is not encrypted"};
inline constexpr ResultCode kImplausible{-208, "implausible iteration count in the keybag"};
inline constexpr ResultCode kDatabaseError{-209, "database error"};  // SQLite refused an operation
inline constexpr ResultCode kBadArgument{-210, "invalid argument"};  // an unusable argument

// The result of opening a file that the library needs: kMissingFile when it does not exist,
// else the system error "error" (success for 0).
inline Result OpenResult(int32_t error) {
  return error == ENOENT ? Result(kMissingFile) : Result::System(error);
}

}  // namespace zbe::crypto
