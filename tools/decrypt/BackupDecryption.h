#pragma once

#include <string>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/ClassKeys.h"

namespace zbe::decrypt {

class DecryptionReport;

// What every step of one run shares.
struct DecryptionSession {
  const std::string& backupFolder;
  const std::string& outputFolder;
  const crypto::ClassKeys& keys;
  DecryptionReport& report;
};

// Decrypts the encrypted backup in "backupFolder" into "outputFolder" with "password" (UTF-8,
// as typed). Reads Manifest.plist, unlocks the keybag's class keys, then:
// - for a backup with Manifest.db, writes the decrypted database as "Manifest.db-decypted" into
//   the output folder and every regular file of its Files table under its file ID;
// - for a backup with Manifest.mbdb, every regular file record under its file ID.
// A "Manifest.db-decypted" already in the output folder is removed first, so that a failed run
// never leaves an earlier run's manifest behind as if it were this backup's. All output files
// get mode 0600; nothing is written into "backupFolder". Progress and problems
// go to "report" (a "Count: N" after each stored file, decrypted or not). Returns an exit status
// of ExitCodes.h: kExitSuccess; kExitWrongPassword; kExitFilesSkipped when it went through every
// file but some were missing, truncated or damaged (each reported); kExitFailed when the backup
// cannot be decrypted at all (each reason reported).
int DecryptBackup(const std::string& backupFolder, const std::string& outputFolder,
                  crypto::ByteView password, DecryptionReport& report);

}  // namespace zbe::decrypt
