#pragma once

#include <string>
#include <string_view>

#include "tools/crypto/Bytes.h"

namespace zbe::crypto {

// The SHA-1 digest (20 bytes) of "bytes": what file IDs and the data hashes of Manifest.mbdb are
// made of. Empty when hashing fails.
Bytes Sha1Digest(ByteView bytes);

// The name a backup stores a file under: the SHA-1 of the raw bytes of domain + "-" +
// relativePath as 40 lower-case hexadecimal characters. Empty when hashing fails.
std::string ComputeFileId(std::string_view domain, std::string_view relativePath);

// True for exactly 40 hexadecimal characters (either case). Only such names are ever used as
// file names, so a manifest cannot direct output outside its folder.
bool IsValidFileId(std::string_view fileId);

}  // namespace zbe::crypto
