#include "cli/BackupScan.h"

#include <cstdio>
#include <cstring>
#include <iostream>

#include "backup/BackupDiscovery.h"
#include "backup/TempFolder.h"
#include "cli/CancelOnInterrupt.h"
#include "cli/ExitStatus.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe::cli {
namespace {

void StopScan(void* bar) noexcept {
  static_cast<ProgressBar*>(bar)->RequestStop();
}

// Reads one line of standard input (without its line end). False when there is none.
bool ReadPasswordLine(std::string& password) {
  if (!std::getline(std::cin, password)) {
    return false;
  }
  if (!password.empty() && password.back() == '\r') {
    password.pop_back();
  }
  return true;
}

}  // namespace

BackupScan::BackupScan(std::string command) : command_(std::move(command)) {}

// The session goes before the parser and the bar it borrows, the parser before its folders.
BackupScan::~BackupScan() {
  session_.reset();
  bar_.reset();
  parser_.reset();
  decrypted_.reset();
  work_.reset();
}

int BackupScan::Run(const std::string& folder, const CategorySet& chosen, bool passwordStdin) {
  int status = Open(folder, passwordStdin);
  return status == kExitOk ? Scan(chosen) : status;
}

int BackupScan::Open(const std::string& folder, bool passwordStdin) {
  const char* command = command_.c_str();
  if (!ReadSummaryOfFolder(folder, summary_).ok()) {
    std::fprintf(stderr,
                 IsFolder(folder) ? "zbe %s: %s has no readable Info.plist; it is not a backup "
                                    "folder\n"
                                  : "zbe %s: %s is not a folder\n",
                 command, folder.c_str());
    return kExitNoBackup;
  }
  passwordGiven_ = passwordStdin;
  if (passwordStdin) {
    if (!ReadPasswordLine(password_)) {
      std::fprintf(stderr, "zbe %s: --password-stdin: no password line on standard input\n",
                   command);
      return kExitPassword;
    }
  } else if (summary_.encrypted) {
    std::fprintf(stderr,
                 "zbe %s: %s is an encrypted backup; give its password as one line on "
                 "standard input with --password-stdin\n",
                 command, folder.c_str());
    return kExitPassword;
  }
  return kExitOk;
}

int BackupScan::Scan(const CategorySet& chosen) {
  const char* command = command_.c_str();
  work_ = std::make_unique<PrivateWorkFolder>();
  if (work_->path().empty()) {
    std::fprintf(stderr, "zbe %s: cannot create a work folder: %s\n", command,
                 std::strerror(work_->error()));
    return kExitFailure;
  }
  // Decrypted copies go to a folder of this run's own on the temporary folder's volume, which
  // was chosen for its room; a plain backup needs none.
  if (summary_.encrypted || passwordGiven_) {
    decrypted_ = std::make_unique<PrivateWorkFolder>(GetTempFolder());
    if (decrypted_->path().empty()) {
      std::fprintf(stderr, "zbe %s: cannot create a folder for the decrypted copies in %s: %s\n",
                   command, GetTempFolder().c_str(), std::strerror(decrypted_->error()));
      return kExitFailure;
    }
  }
  parser_ = std::make_unique<CBackupParser>(work_->path(),
                                            decrypted_ ? decrypted_->path() : std::string());
  bar_ = std::make_unique<ProgressBar>(stderr);
  session_ = std::make_unique<ScanSession>(*parser_, bar_.get());
  int32_t result;
  {
    // Ctrl-C stops the scan at its next report, so that a decryption in progress ends and the
    // private folders (which may hold decrypted copies) are removed on the way out.
    CancelOnInterrupt interrupt(&StopScan, bar_.get());
    result = session_->Run(summary_, password_, chosen);
  }
  bar_->Finish();
  if (bar_->stopRequested()) {
    std::fprintf(stderr, "zbe %s: stopped\n", command);
    return kExitStopped;
  }
  if (result == kResultWrongPassword) {
    std::fputs("Wrong password\n", stderr);
    return kExitPassword;
  }
  int32_t opened = session_->results().openResult;
  if (opened != kResultOk) {
    std::fprintf(stderr,
                 "zbe %s: the backup could not be opened completely (result %d); categories "
                 "that need its manifest may find nothing\n",
                 command, opened);
  }
  return kExitOk;
}

}  // namespace zbe::cli
