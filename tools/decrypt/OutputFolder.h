#pragma once

#include <cstdint>
#include <string>

#include "records/Result.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::decrypt {

// Makes sure "outputFolder" can take the decrypted files: creates it (and missing parents) with
// mode 0700 when it does not exist. Refuses an output folder that is the backup folder or lies
// inside it (PathWithin), since a backup must never be written to. Returns kOk; kBadArgument
// for such an overlap; the system error ENOTDIR when the path is taken by something else; or
// another system error.
Result PrepareOutputFolder(const std::string& backupFolder, const std::string& outputFolder);

}  // namespace zbe::decrypt
