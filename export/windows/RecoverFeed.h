// RecoverFeed: hands the reports of an export run from its worker to the export window in
// batches, so that the run never waits for the window, however many files it lists.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportObserver.h"

namespace zbe {

class RecoverFeed final : public IExportObserver {
 public:
  // What arrived since the last Take.
  struct Batch {
    std::vector<FinishedFile> files;  // in the order they were reported
    bool progressed = false;          // a report came: the three values below are its latest
    int32_t percent = 0;
    std::string path;
    ExportCounts counts;            // as they stood at the latest report
    std::optional<int32_t> result;  // the run has ended with this result (0 or 2)
  };

  // "wake" is called on the reporting thread when a report arrives and no wake is outstanding
  // (none since the last Take). It must return at once (post to the window, nothing more).
  explicit RecoverFeed(std::function<void()> wake);
  RecoverFeed(const RecoverFeed&) = delete;
  RecoverFeed& operator=(const RecoverFeed&) = delete;

  // Takes everything that arrived since the last Take (any thread; the window's). The next
  // report wakes again.
  Batch Take();

  void OnFileFinished(const FinishedFile& file, const ExportCounts& counts) override;
  void OnProgress(int32_t percent, const std::string& path, const ExportCounts& counts) override;
  void OnRunFinished(int32_t result, const ExportCounts& counts) override;

 private:
  // Calls wake_ unless a wake is outstanding; called after the mutex was released.
  void WakeOnce(bool needed);

  const std::function<void()> wake_;
  std::mutex mutex_;
  Batch pending_;       // guarded by mutex_
  bool woken_ = false;  // guarded by mutex_: a wake is outstanding
};

}  // namespace zbe
