#include "tools/decrypt/OutputFolder.h"

#include "platform/FileSystem.h"
#include "platform/ResolvedPath.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::decrypt {

Result PrepareOutputFolder(const std::string& backupFolder, const std::string& outputFolder) {
  if (outputFolder.empty() || PathWithin(outputFolder, backupFolder)) {
    return crypto::kBadArgument;
  }
  return Result::System(CreateFolders(outputFolder, 0700, FolderMode::kExact));
}

}  // namespace zbe::decrypt
