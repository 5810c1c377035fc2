#pragma once

#include <memory>
#include <string>

#include "backup/BackupSummary.h"
#include "backup/CBackupParser.h"
#include "backup/CategorySet.h"
#include "backup/ScanSession.h"
#include "cli/PrivateWorkFolder.h"
#include "cli/ProgressBar.h"

namespace zbe::cli {

// The scan that zbe scan, export and print share: reads the summary of a backup folder, the
// password of an encrypted backup, makes zbe's private work folder (and, for an encrypted backup,
// a private folder for the decrypted copies in the temporary folder) and runs the scan of the
// chosen categories with a progress bar on stderr (drawn only on a terminal). Messages go to
// stderr, prefixed "zbe <command>: ". Keeps the parser, the session and the work folder alive
// for the command's later steps (the export copies stored files through the session). Not
// copyable.
class BackupScan {
 public:
  // "command" names the command in messages ("scan", "export", "print").
  explicit BackupScan(std::string command);
  ~BackupScan();
  BackupScan(const BackupScan&) = delete;
  BackupScan& operator=(const BackupScan&) = delete;

  // Reads the summary of the backup in "folder" and, with "passwordStdin", its password as one
  // line from standard input (a trailing CR dropped). Returns kExitOk, or the exit status after
  // its message: kExitNoBackup when "folder" has no readable "Info.plist", kExitPassword for an
  // encrypted backup without "passwordStdin" or without a password line. Call once, first.
  int Open(const std::string& folder, bool passwordStdin);

  // Scans the categories "chosen" of the backup that Open read. Returns kExitOk, or the exit
  // status after its message: kExitPassword for a wrong password ("Wrong password"),
  // kExitFailure when the work folder or the decryption folder cannot be made, kExitStopped when
  // Ctrl-C stopped the scan (the private folders are still removed). A backup that
  // opens only in part is scanned anyway, after a warning. Call once, after an Open that returned
  // kExitOk.
  int Scan(const CategorySet& chosen);

  // Open, then Scan.
  int Run(const std::string& folder, const CategorySet& chosen, bool passwordStdin);

  // Valid after an Open that returned kExitOk.
  const BackupSummary& summary() const { return summary_; }
  // Valid after a Scan that returned kExitOk.
  const ScanResults& results() const { return session_->results(); }
  IStoredFileSource& storedFiles() const { return session_->storedFiles(); }

 private:
  const std::string command_;
  BackupSummary summary_;
  std::string password_;
  bool passwordGiven_ = false;  // --password-stdin: the backup may need decrypting
  std::unique_ptr<PrivateWorkFolder> work_;
  std::unique_ptr<PrivateWorkFolder> decrypted_;  // the decrypted copies, encrypted backups only
  std::unique_ptr<CBackupParser> parser_;
  std::unique_ptr<ProgressBar> bar_;
  std::unique_ptr<ScanSession> session_;
};

}  // namespace zbe::cli
