#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// The four counts that the export window's running count shows, in its order.
struct ExportCounts {
  int32_t done = 0;       // output files reported finished, successful or failed
  int32_t total = 0;      // checked items of the selection when the run started
  int32_t succeeded = 0;  // done - failed
  int32_t failed = 0;     // output files reported finished with an error

  bool operator==(const ExportCounts&) const = default;
};

// One output file reported finished: a row of the export window's file list.
struct FinishedFile {
  std::string path;       // the file's full path below the destination root
  int32_t errorCode = 0;  // 0, or the errno or result code of its failure
  std::string status;     // "Success", or the failure's text (Result::Text)

  bool operator==(const FinishedFile&) const = default;
};

// What an export run tells its view. Every call comes on the thread that runs the export (the
// run's worker, or the caller of a synchronous run), one at a time and in order, while the run
// holds its report lock (ExportRun::reportLock). A view on another thread must hand the values
// over (post them) and return at once; it must never wait for its own thread inside a call, or
// a view that holds the report lock while it asks the user would deadlock. No call comes once
// the run has been cancelled, except OnRunFinished.
class IExportObserver {
 public:
  virtual ~IExportObserver() = default;

  // "file" is finished; "counts" already count it. Called before the OnProgress of the same
  // report, which gives percent 100.
  virtual void OnFileFinished(const FinishedFile& file, const ExportCounts& counts) = 0;

  // "percent" (0..100) of the output file at "path" is done; "counts" as they stand.
  virtual void OnProgress(int32_t percent, const std::string& path, const ExportCounts& counts) = 0;

  // The run has ended, after its end step: "result" is 0 when it ran to its end (files may
  // have failed: counts.failed) or 2 when it was cancelled. The last call of a run.
  virtual void OnRunFinished(int32_t result, const ExportCounts& counts) {
    (void)result;
    (void)counts;
  }
};

}  // namespace zbe
