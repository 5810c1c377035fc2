// The decryption step of CBackupParser::Open.

#include "backup/CBackupParser.h"
#include "backup/ResultCodes.h"

namespace zbe {

int32_t CBackupParser::DecryptBackup(const std::string&, std::string&, std::string&) {
  // Encrypted backups are decrypted by the decryption runner, which does not exist yet: report
  // it as a decryption that could not be started.
  return kResultMissingFile;
}

}  // namespace zbe
