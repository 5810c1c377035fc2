#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// Where the export's writers and file copies report on the output file they are making.
// Implementations decide what a report does (list the file, move a progress bar, count
// failures) and whether the run goes on.
class IExportProgress {
 public:
  virtual ~IExportProgress() = default;

  // "percent" (0..100) of the output file at "path" is done. A report with 100 means the file
  // is finished: "errorCode" is then 0 for success or the errno (or result code) of its
  // failure; below 100 it is 0. Returns 0 to go on; any other answer (the export answers 2
  // once the user has cancelled) asks the caller to stop its current file.
  virtual int32_t OnFileProgress(int32_t percent, int32_t errorCode, const std::string& path) = 0;
};

// Forwards one report to the IExportProgress that "context" points to; its shape is that of
// the stored-file copy's callback (FileCopyCallback), so that copies report to the same
// observer as the writers: CopyStoredFile(source, destination, ExportProgressCallback, &observer).
// A null "context" answers 0.
int32_t ExportProgressCallback(void* context, int32_t percent, int32_t errorCode,
                               const std::string& path);

}  // namespace zbe
