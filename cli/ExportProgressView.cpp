#include "cli/ExportProgressView.h"

#include <unistd.h>

#include <algorithm>

namespace zbe::cli {

ExportProgressView::ExportProgressView(std::FILE* err)
    : err_(err), terminal_(isatty(fileno(err)) == 1) {}

std::string ExportProgressView::StatusLine(const ExportCounts& counts, int32_t percent) {
  char line[128];
  std::snprintf(line, sizeof line, "exporting: %d of %d done, %d failed (current file %3d%%)",
                counts.done, counts.total, counts.failed, std::clamp(percent, 0, 100));
  return line;
}

std::string ExportProgressView::SummaryLine(const ExportCounts& counts) {
  char line[128];
  std::snprintf(line, sizeof line, "Exported %d of %d: %d succeeded, %d failed", counts.done,
                counts.total, counts.succeeded, counts.failed);
  return line;
}

void ExportProgressView::Clear() {
  if (!shown_.empty()) {
    std::fprintf(err_, "\r%s\r", std::string(shown_.size(), ' ').c_str());
    shown_.clear();
  }
}

void ExportProgressView::OnFileFinished(const FinishedFile& file, const ExportCounts& counts) {
  (void)counts;
  files_.push_back(file);
  if (file.errorCode != 0) {
    Clear();
    std::fprintf(err_, "zbe export: failed: %s: %s\n", file.path.c_str(), file.status.c_str());
    std::fflush(err_);
  }
}

void ExportProgressView::OnProgress(int32_t percent, const std::string& path,
                                    const ExportCounts& counts) {
  (void)path;
  if (!terminal_) {
    return;
  }
  std::string line = StatusLine(counts, percent);
  if (line != shown_) {
    std::fprintf(err_, "\r%s", line.c_str());
    std::fflush(err_);
    shown_ = std::move(line);
  }
}

void ExportProgressView::Finish() {
  Clear();
  std::fflush(err_);
}

}  // namespace zbe::cli
