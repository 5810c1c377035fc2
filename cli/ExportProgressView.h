#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "export/ExportObserver.h"

namespace zbe::cli {

// zbe export's view of a run, in place of the export window: keeps every finished file (for
// the JSON report), writes a line to "err" for each file that failed ("zbe export: failed:
// PATH: STATUS"), and, when "err" is a terminal, keeps a status line there with the running
// counts. Called on the thread that runs the export.
class ExportProgressView final : public IExportObserver {
 public:
  explicit ExportProgressView(std::FILE* err);
  ExportProgressView(const ExportProgressView&) = delete;
  ExportProgressView& operator=(const ExportProgressView&) = delete;

  void OnFileFinished(const FinishedFile& file, const ExportCounts& counts) override;
  void OnProgress(int32_t percent, const std::string& path, const ExportCounts& counts) override;

  // Clears the status line, if one was drawn.
  void Finish();

  // The files reported finished, in order.
  const std::vector<FinishedFile>& files() const { return files_; }

  // The status line for "counts" and the current file's "percent".
  static std::string StatusLine(const ExportCounts& counts, int32_t percent);

  // The closing line: "Exported N of T: S succeeded, F failed".
  static std::string SummaryLine(const ExportCounts& counts);

 private:
  void Clear();

  std::FILE* const err_;
  const bool terminal_;
  std::vector<FinishedFile> files_;
  std::string shown_;  // the status line on the terminal; empty when none
};

}  // namespace zbe::cli
