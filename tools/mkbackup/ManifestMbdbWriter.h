#pragma once

#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// The bytes of "Manifest.mbdb", the binary manifest of older devices: the magic "mbdb", the
// version 5.0, then one record per stored file, folder and link in "files" order (big-endian
// numbers; strings as a 16-bit length and bytes, 0xFFFF for an absent string). Files carry the
// SHA-1 of their contents as data hash and, when set, their encryption key. Empty when a string
// is too long for the format (65535 bytes or more).
std::string EncodeManifestMbdb(const std::vector<StoredFile>& files);

}  // namespace zbe::mkbackup
