#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

// The platform's whole-file reads and writes (platform/FileSystem.h) in the library's byte and
// result types.

// Reads the whole regular file "path" of at most "maxSize" bytes into "data". Returns kOk;
// kMissingFile when it does not exist; or the system error (EFBIG when it is larger, EISDIR when
// it is not a regular file).
Result ReadFileBytes(const std::string& path, size_t maxSize, Bytes* data);

// Writes "data" as the whole of "path", which gets exactly "mode"; a link at "path" is refused
// and a partial file removed. Returns kOk or the system error.
Result WriteFileBytes(const std::string& path, ByteView data, mode_t mode);

}  // namespace zbe::crypto
