#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/Result.h"

namespace zbe {

// Runs the decryption tool (tools/decrypt) on an encrypted backup as a child process and turns
// its output into the scan's progress. Runs on the scan thread and keeps it busy for the whole
// decryption.

// What one run needs.
struct DecryptionRun {
  std::string toolSource;    // "tool" in the program folder
  std::string toolCopy;      // its copy in WorkFolder: the program that is started
  std::string backupFolder;  // the encrypted backup; only read
  std::string outputFolder;  // receives the decrypted copies; emptied before the tool starts
  int64_t fileTotal = 0;     // number of backup files (ListBackupFiles), for the progress
  int32_t stepWeight = 0;    // share of the scan's progress that the decryption covers
};

// Receives each progress value (absolute) and answers 0 to go on; any other answer stops the
// run and becomes its result.
using DecryptionProgress = std::function<int32_t(int32_t progress)>;

// Appends to "files" the entries of "backupFolder" (ListFolder) that are files, and for each
// entry that is a folder, the entries of that folder (one level, files and folders alike).
void ListBackupFiles(const std::string& backupFolder, std::vector<std::string>& files);

// Copies "source" over "copy" (replacing it at once, so that a copy still running elsewhere is
// not disturbed), writes the executable magic "\x7f" "E" over its first two bytes (a no-op on an
// intact program) and makes it executable and private (mode 0700). Returns 0, or the errno of the
// failed step (ENOENT when "source" is missing); a failed copy leaves nothing behind.
int32_t InstallToolCopy(const std::string& source, const std::string& copy);

// The tool's argv: the copy's path, the backup folder, the output folder, each whole (spaces
// and all). The password is never among them: it goes to the tool's standard input.
std::vector<std::string> ToolArguments(const std::string& toolCopy, const std::string& backupFolder,
                                       const std::string& outputFolder);

// Runs the tool on "run.backupFolder" with "password" and waits for it:
// 1. Installs the tool copy, prepares the output folder (private, emptied of every earlier
//    file, and never the backup folder or overlapping it) and starts the copy in a process group
//    of its own, with the password as one line on its standard input.
// 2. Polls its output every 5 ms (up to 4096 bytes a read) and reports progress as
//    InterpretToolOutput says, on each chunk read; while no output arrives it repeats the last
//    report (at first the running progress) twice a second, so that a stop is heard during the
//    key derivation. After the tool has ended, 100 more passes collect what it wrote last.
// 3. Ends the tool (its whole process group, when the run was stopped or the password was wrong)
//    and reports "runningProgress" + stepWeight once more (not stored, answer not heeded).
// "runningProgress" is the scan's running progress; the first "Count:" while it is 0 sets it to
// 1 (reported first). Returns success when the tool ran to its end (whatever it managed to
// decrypt); -110 when it printed "Wrong password"; a stop with the answer of a report that was
// not 0; or 87 when the
// tool cannot be installed or started or the output folder cannot be prepared (no report is then
// made). After a result other than 0 the output folder is emptied again, so that no decrypted
// data outlives a failed run.
Result RunDecryption(const DecryptionRun& run, std::string_view password, int32_t& runningProgress,
                     const DecryptionProgress& report);

}  // namespace zbe
