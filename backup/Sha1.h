#pragma once

#include <string>
#include <string_view>

namespace zbe {

// The SHA-1 digest of "bytes" as 40 lower-case hexadecimal characters: the file ID that a
// backup gives the file whose manifest path is "bytes".
std::string Sha1Hex(std::string_view bytes);

}  // namespace zbe
