#include "tools/decrypt/OutputFolder.h"

#include "tools/crypto/CryptoResult.h"
#include "tools/crypto/FileIo.h"

namespace zbe::decrypt {

int32_t PrepareOutputFolder(const std::string& backupFolder, const std::string& outputFolder) {
  if (outputFolder.empty() || crypto::IsSameOrInside(outputFolder, backupFolder)) {
    return crypto::kBadArgument;
  }
  return crypto::CreateFolders(outputFolder, 0700);
}

}  // namespace zbe::decrypt
