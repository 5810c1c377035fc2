#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backup/StoredFileSource.h"
#include "export/CStatisticsObj.h"
#include "export/ExportContext.h"
#include "export/ExportObserver.h"
#include "export/ExportReporter.h"
#include "records/ScanResults.h"

namespace zbe {

// Results of an export run besides success (ran to its end) and a stop (cancelled). Both come
// before anything is written.
// A template could not be read (templateFailure() says which and why). The window's message
// for it is "MSG1104".
inline constexpr ResultCode kTemplateUnreadable{-1104, "A template could not be read"};
// The destination root is the backup folder, lies inside it, or holds it inside one of the
// export's category folders (ExportWouldTouchBackup): the run would write into the backup.
inline constexpr ResultCode kDestinationInBackup{-1105,
                                                 "The destination lies inside the backup folder"};

// What an export run works on. Everything borrowed must outlive the run and stay unchanged
// while it runs.
struct ExportInputs {
  const ScanResults* results = nullptr;       // the scan's containers
  const CStatisticsObj* selection = nullptr;  // read once, when the run starts
  IStoredFileSource* storedFiles = nullptr;   // the copies of stored files and databases
  std::string destinationRoot;                // the folder the user chose (created when missing)
  std::string programFolder;                  // ends in "/"; the templates lie below it
  std::string deviceName;                     // the backup's device name, for the page titles
  std::string backupFolder;                   // never written into; empty: not checked
  // The local time that makes the run stamp; empty: the system clock and time zone.
  std::function<std::tm()> localTime;
};

// Which template stopped a run, and why.
struct TemplateFailure {
  std::string path;       // the template file
  int32_t errorCode = 0;  // the errno of opening or reading it
};

// One export run ("recover"): writes the checked entries of a selection into a destination
// root, as the export window shows it and as zbe export runs it.
//
// Before anything is written: the five templates are read from the program folder (call
// history, notes, contacts, messages, WhatsApp, in this order), the run stamp is taken from the
// local time ("YYYYMMDDhhmmss"), the total from the selection's checked count, and the
// selection's walk (CStatisticsObj::Walk). The walk then takes each checked item in order and
// hands it to the writer of its category number: 1, 2, 6, 11 copies into "Camera Roll",
// "Photo Stream", "Message Attachments", "WhatsApp Attachments"; 3, 4 copies into "App Photos/"
// and "App Video/" + app; 5 a message thread (".txt" and ".html" in "Message/" + thread
// folder); 10 a WhatsApp chat (".txt", ".csv", ".html" in "WhatsApp Message/" + chat folder);
// 7, 8, 9 one row each of "Contacts/<stamp>/Contacts.html", "CallHistory/CallHistory_<stamp>.html"
// and "Notes/Notes_<stamp>.html", each record listing that file once. The end step follows
// (ExportEndStep.h). Every output file is listed once, when it is finished, with "Success" or
// its error; a failed file does not stop the run. Nothing is overwritten (a name in use gets
// "(n)"), names from the backup are made safe, and nothing is written outside the root or into
// the backup.
//
// Cancel: RequestCancel sets a flag (from any thread, or a signal handler). From then on every
// report is answered "stop" and nothing more is listed: a copy or HTML page in progress stops at
// its next report and is deleted (a text or CSV transcript, which makes no reports, is
// finished), no new file is begun, and the walk runs to its end at once; the end step then
// writes the row files and database copies of what was listed before.
//
// Threads: Run works on the calling thread; Start runs it on a worker of the run's own. The
// observer is called on the thread that runs it (see IExportObserver). Not copyable.
class ExportRun {
 public:
  // "observer" may be null; it must outlive the run.
  ExportRun(ExportInputs inputs, IExportObserver* observer);
  // Cancels a started run and waits for its worker.
  ~ExportRun();
  ExportRun(const ExportRun&) = delete;
  ExportRun& operator=(const ExportRun&) = delete;

  // Reads the templates that are not read yet. Returns success, or kTemplateUnreadable at the
  // first that cannot be read. Run and Start call it; a view may call it first to fail early.
  Result LoadTemplates();

  // Runs the export on the calling thread and returns when it has ended: success (files may
  // have failed: counts().failed), a stop when cancelled, or, with nothing written and
  // OnRunFinished not called, kTemplateUnreadable, kDestinationInBackup, or the system error
  // EINVAL when an input is missing. Call Run or Start once per object.
  Result Run();

  // Prepares the run as Run does (templates, checks, stamp, total, walk: the selection may
  // change once Start has returned) and starts the rest on a worker thread. Returns success
  // when the worker was started, else what Run would have returned (no worker then).
  Result Start();

  // True once a started worker has ended (OnRunFinished was called), and before any start.
  bool finished() const { return finished_.load() != 0; }

  // Waits for a started worker and returns its result (the result of Run for a synchronous run,
  // or of Start when no worker was started).
  Result Wait();

  // Sets the cancel flag; safe from any thread and from a signal handler.
  void RequestCancel() noexcept { reporter_.RequestCancel(); }
  bool cancelled() const noexcept { return reporter_.cancelled(); }

  // The counts as they stand; safe from any thread.
  ExportCounts counts() const { return reporter_.counts(); }

  // The run stamp (empty before the run starts).
  const std::string& runStamp() const { return stamp_; }

  // The destination root as the run uses it (without a trailing "/").
  const std::string& root() const { return root_; }

  // Held around every report; see ExportReporter::lock.
  std::recursive_mutex& reportLock() { return reporter_.lock(); }

  const TemplateFailure& templateFailure() const { return templateFailure_; }

 private:
  // Everything before the walk. Returns success or the result that ends the run before it
  // starts.
  Result Prepare();
  // The walk and the end step; returns success or a stop.
  Result Execute();
  // Hands one checked item to its writer.
  void Dispatch(ExportContext& context, const StatisticsEntry& entry);

  const ExportInputs inputs_;
  ExportReporter reporter_;
  IExportObserver* const observer_;
  ExportTemplates templates_;
  bool templatesLoaded_ = false;
  TemplateFailure templateFailure_;
  std::string root_;
  std::string stamp_;
  std::vector<StatisticsEntry> walk_;
  Result result_;
  std::atomic<int> finished_{1};
  std::thread worker_;
};

}  // namespace zbe
