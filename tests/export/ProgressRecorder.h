#pragma once

// An IExportProgress that records every report and can answer "stop" at a chosen report.

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportProgress.h"

namespace zbe::test {

struct ProgressReport {
  int32_t percent = 0;
  int32_t errorCode = 0;
  std::string path;
  bool operator==(const ProgressReport&) const = default;
};

class ProgressRecorder : public IExportProgress {
 public:
  // Answer 2 from the report with this 0-based number on; -1 never.
  explicit ProgressRecorder(int stopAt = -1) : stopAt_(stopAt) {}

  int32_t OnFileProgress(int32_t percent, int32_t errorCode, const std::string& path) override {
    reports.push_back({percent, errorCode, path});
    return stopAt_ >= 0 && static_cast<int>(reports.size()) > stopAt_ ? 2 : 0;
  }

  std::vector<ProgressReport> reports;

 private:
  int stopAt_;
};

}  // namespace zbe::test
