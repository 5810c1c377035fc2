#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "backup/BackupSummary.h"
#include "backup/CategorySet.h"
#include "backup/IPhoneRecoveryParse.h"
#include "backup/StoredFileSource.h"
#include "records/ScanResults.h"

namespace zbe {

class CBackupParser;

// What a scan tells the one who runs it. All calls come on the thread that runs the scan, in
// order; implementations that show results post them to their own thread.
class ScanObserver {
 public:
  virtual ~ScanObserver() = default;

  // A progress report of the recovery source: an absolute running total (0 to 98 for a full
  // scan), not guaranteed to grow. Answer 0 to go on, or 2 to stop: an operation that heeds the
  // report ends with that answer and the scan ends (another non-zero answer would end only that
  // operation). The place to block while the scan is paused.
  virtual int32_t OnProgress(int32_t progress) = 0;

  // Open has returned "result" (always called, also for 2 and -110, which end the scan).
  virtual void OnOpened(int32_t result) { (void)result; }

  // "category" has been populated: its container in "results" (valid during the call; the
  // session goes on filling other containers afterwards) is complete, and
  // results.categoryResults holds the result of the operation that filled it. Called for every
  // chosen category with a reader that was reached, empty ones included, in the scan's order.
  virtual void OnCategoryPopulated(RecordCategory category, const ScanResults& results) {
    (void)category;
    (void)results;
  }
};

// One scan of one backup without any window: opens the backup through a recovery source over
// the parser, reads the chosen categories in the fixed order (camera roll and photo stream,
// messages, message attachments, contacts, call history, notes, app media, WhatsApp, WhatsApp
// attachments), fills ScanResults (with the conversation rows, chat rows and app media groups
// built) and reports progress and populated categories to its observer. Synchronous; the scan
// page runs it on its worker thread. Not copyable.
class ScanSession {
 public:
  // "parser" is borrowed and must outlive the session; only one session may use a parser at a
  // time. "observer" may be null (nothing is reported and the scan never stops); it must outlive
  // every Run.
  explicit ScanSession(CBackupParser& parser, ScanObserver* observer = nullptr);
  // Destroys the recovery source and takes the session's progress callback off the parser.
  ~ScanSession();
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  // Runs one scan: empties the results; hands "summary" to the parser (SetBackup); replaces the
  // recovery source by a new one over the parser with the session's progress callback; Open
  // with "password" (empty for a plain backup). Open's 2 or -110 end the scan with that result;
  // any other result, failures included, goes on: each chosen category's operation is called in
  // the fixed order and its categories are populated, whatever it returned, except that 2 ends
  // the scan at once. Reminder, Calendar and Safari Bookmark start no work.
  // Returns the result of the last operation called (Open's when none was): 0, 2, -110, or the
  // failure code of the last operation (87, 1006, an SQLite or errno code), which does not mean
  // that the scan failed as a whole; results() tells each category's result.
  int32_t Run(const BackupSummary& summary, const std::string& password, const CategorySet& chosen);

  // The results of the last Run (empty before). The caller may move them out.
  ScanResults& results() { return results_; }
  const ScanResults& results() const { return results_; }

  // The recovery source of the last Run (null before the first). It lives until the next Run or
  // the session's end.
  IPhoneRecoveryParse* source() const { return source_.get(); }

  // The stored files of the backup that the last Run opened, for the export's copies; valid for
  // the session's life.
  IStoredFileSource& storedFiles() { return storedFiles_; }

 private:
  static int32_t OnSourceProgress(void* userData, int32_t progress);
  // Runs the operations of the chosen categories after Open. Returns the last result.
  int32_t ReadCategories(const CategorySet& chosen, int32_t openResult);
  // Records "result" for "category" and tells the observer.
  void Populate(RecordCategory category, int32_t result);

  CBackupParser& parser_;
  ScanObserver* const observer_;
  std::unique_ptr<IPhoneRecoveryParse> source_;
  ParserStoredFiles storedFiles_;
  ScanResults results_;
};

}  // namespace zbe
