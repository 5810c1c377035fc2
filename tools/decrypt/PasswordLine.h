#pragma once

#include <cstdint>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::decrypt {

// Longest password line accepted; the password box of the application takes 256 characters.
inline constexpr size_t kMaxPasswordLine = 64 * 1024;

// Reads one line from "fd": the bytes up to the first "\n" (a "\r" before it is dropped too), or
// up to the end of input. Reads byte by byte, so nothing after the line is consumed. Empty input
// is the empty password. Returns kOk; kBadArgument when the line is longer than
// kMaxPasswordLine; or errno.
Result ReadPasswordLine(int fd, crypto::SecretBytes* password);

}  // namespace zbe::decrypt
