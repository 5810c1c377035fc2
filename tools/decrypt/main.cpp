// tool BACKUP_FOLDER OUTPUT_FOLDER
//
// Decrypts an encrypted backup into OUTPUT_FOLDER: every stored file under its file ID, and for
// backups with Manifest.db the decrypted database as "Manifest.db-decypted". The password is the
// first line of standard input; it is never taken from the command line, where other local
// users could read it; a third argument is refused.
//
// Standard output: "Count: N" after each stored file handled (N counts from 1; files that fail
// count too), or "Wrong password" alone; each line is flushed at once. Standard error: one line
// "tool: ..." per problem. Exit statuses: ExitCodes.h (0 done, 1 cannot decrypt, 2 usage,
// 3 wrong password, 4 done with files skipped or damaged).

#include <unistd.h>

#include <cstdio>

#include "tools/crypto/CryptoCodes.h"
#include "tools/decrypt/BackupDecryption.h"
#include "tools/decrypt/DecryptionReport.h"
#include "tools/decrypt/ExitCodes.h"
#include "tools/decrypt/PasswordLine.h"

int main(int argc, char** argv) {
  using namespace zbe;
  if (argc != 3) {
    std::fputs(
        "usage: tool BACKUP_FOLDER OUTPUT_FOLDER\n"
        "The password is read as one line from standard input.\n",
        stderr);
    return decrypt::kExitUsage;
  }
  crypto::SecretBytes password;
  const Result rc = decrypt::ReadPasswordLine(STDIN_FILENO, &password);
  if (rc != crypto::kOk) {
    std::fprintf(stderr, "tool: cannot read the password line from standard input: %s\n",
                 rc == crypto::kBadArgument ? "line too long" : rc.Text().c_str());
    return decrypt::kExitUsage;
  }
  decrypt::DecryptionReport report(stdout, stderr);
  return decrypt::DecryptBackup(argv[1], argv[2], password, report);
}
