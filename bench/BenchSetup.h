#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "backup/BackupSummary.h"
#include "backup/CBackupParser.h"
#include "backup/CategorySet.h"
#include "backup/ScanSession.h"
#include "bench/BenchTable.h"
#include "records/ScanResults.h"

namespace zbe::bench {

// Where the benchmarks find their inputs and put what they write.
struct BenchOptions {
  std::string samples;     // the sample backups, one folder per name below
  std::string work;        // scratch space for work folders, exports and decrypted copies
  std::string programDir;  // the program folder: templates, "tool"
  int repetitions = 3;     // runs of each benchmark; the table takes the best
};

// The sample backups, as scripts/bench writes them (mkbackup --scale N, plain unless said).
inline constexpr const char* kSmallSample = "plain-100";
inline constexpr const char* kMainSample = "plain-1000";
inline constexpr const char* kManifestSample = "plain-1270";  // about 100,000 manifest rows
inline constexpr const char* kLargeSample = "plain-3000";
// mkbackup --scale 100 --encrypt kSamplePassword --iterations 1: decryption without the rounds.
inline constexpr const char* kEncryptedSample = "encrypted-100";
// mkbackup --encrypt kSamplePassword: a small backup with the device's key derivation rounds.
inline constexpr const char* kKeybagSample = "encrypted-keybag";
inline constexpr const char* kSamplePassword = "bench password";

// The folder of sample "name", or "" when it is not there (its benchmarks are then left out).
std::string SamplePath(const BenchOptions& options, const std::string& name);

// A new, empty folder below the scratch space, named "name" and a unique suffix. Nothing is
// deleted while the benchmarks run (scripts/bench empties the scratch space at the end): after a
// large deletion this file system creates files several times slower for a while, which would
// make the figures depend on the order of the benchmarks. What the file system still has to
// write is written out first (syncfs), so that a timed run does not pay for the writing of the
// run before it. Returns the folder's path, or "" when it cannot be made.
std::string NewWorkFolder(const BenchOptions& options, const std::string& name);

// One scan of the backup in "folder" as zbe scan runs it (without its progress bar): the
// summary, a parser with a work folder of its own, a session over it. Kept alive for the
// export, which copies stored files through the session. Not copyable.
class SampleScan {
 public:
  // Scans the categories "chosen" of the plain backup in "folder", with "workFolder" (made
  // when missing) as the parser's work folder. ok() tells whether the backup opened.
  SampleScan(const std::string& folder, const std::string& workFolder, const CategorySet& chosen);
  SampleScan(const SampleScan&) = delete;
  SampleScan& operator=(const SampleScan&) = delete;

  bool ok() const { return opened_ == 0; }
  // What the session's Open returned (-1 when the summary could not be read).
  int32_t opened() const { return opened_; }
  const BackupSummary& summary() const { return summary_; }
  CBackupParser& parser() { return *parser_; }
  ScanSession& session() { return *session_; }
  const ScanResults& results() const { return session_->results(); }

 private:
  BackupSummary summary_;
  std::unique_ptr<CBackupParser> parser_;
  std::unique_ptr<ScanSession> session_;
  int32_t opened_ = -1;
};

// The sum of the sizes of every text (std::string) that "results" holds, in all its containers:
// the derived rows and groups count as well as the lists they were made from.
uint64_t TextBytes(const ScanResults& results);

// The records and file items of "results": every message and WhatsApp message, contact, call,
// note, and stored file item (app media counted once).
uint64_t RecordCount(const ScanResults& results);

// Registers the benchmarks of each family, each with the rows of the table it fills. A sample
// that is missing leaves its benchmarks and rows out.
void RegisterScanBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows);
void RegisterExportBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows);
void RegisterDecryptionBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows);
void RegisterMemoryBenchmarks(const BenchOptions& options, std::vector<TableRow>& rows);

// The child side of the memory benchmark (see MemoryBench.cpp): scans "folder" with every
// category and writes "<resident bytes at the start> <peak resident bytes> <text bytes>" to stdout.
// Returns the exit status.
int RunPeakMemoryChild(const std::string& folder, const std::string& workFolder);

}  // namespace zbe::bench
