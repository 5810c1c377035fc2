#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "export/ExportObserver.h"
#include "export/ExportProgress.h"
#include "records/Result.h"

namespace zbe {

// The progress entry point of one export run: keeps the four counts, the cancel flag and the
// report lock, and passes reports on to the run's observer. Every report takes the lock and
// first looks at the cancel flag: once it is set, a report is answered 2 at once, counted
// nowhere and not passed on, so the writer or copy that made it stops. Not copyable.
class ExportReporter {
 public:
  // "observer" may be null (reports are only counted); it must outlive the reporter.
  explicit ExportReporter(IExportObserver* observer);
  ExportReporter(const ExportReporter&) = delete;
  ExportReporter& operator=(const ExportReporter&) = delete;

  // Starts a run's counts: done, succeeded and failed 0, total "total". Leaves the cancel flag.
  void Start(int32_t total);

  // Sets the cancel flag. Only stores to a lock-free atomic, so a signal handler may call it.
  void RequestCancel() noexcept { cancel_.store(1); }
  bool cancelled() const noexcept { return cancel_.load() != 0; }

  // "percent" (below 100) of the file at "path" is done. Returns 2 when the run is cancelled
  // (nothing passed on), else 0.
  int32_t Progress(int32_t percent, const std::string& path);

  // The file at "path" is finished with "result". Returns a stop when the run is cancelled (not
  // counted, nothing passed on); else counts it (a failure unless "result" is success), tells
  // the observer (OnFileFinished with the result's code and text, then OnProgress with 100) and
  // returns success.
  Result Finished(const std::string& path, const Result& result);

  // The counts as they stand; safe from any thread.
  ExportCounts counts() const;

  // Held around every report. A view that asks the user whether to cancel holds it meanwhile,
  // so that no file is listed while the question is shown.
  std::recursive_mutex& lock() { return lock_; }

 private:
  IExportObserver* const observer_;
  static_assert(std::atomic<int>::is_always_lock_free);
  std::atomic<int> cancel_{0};
  mutable std::recursive_mutex lock_;
  ExportCounts counts_;  // guarded by lock_
};

// What the export hands its writers and copies as their progress (IExportProgress, or through
// ExportProgressCallback as a copy's callback): reports below 100 go to the reporter; a
// writer's or copy's own report of 100 is left out, because the run reports each file finished
// itself once the writer or copy has returned, from its result (so that every file is listed
// exactly once, and only after its bytes are on disk). Every report is answered 2 once the run
// is cancelled.
class FileProgressFilter final : public IExportProgress {
 public:
  explicit FileProgressFilter(ExportReporter& reporter) : reporter_(reporter) {}

  int32_t OnFileProgress(int32_t percent, int32_t errorCode, const std::string& path) override;

 private:
  ExportReporter& reporter_;
};

}  // namespace zbe
