#pragma once

// A progress callback (void* user data, int32_t progress) that records every report and answers
// each with "answer", for the parser's and the scan's progress.

#include <cstdint>
#include <vector>

namespace zbe::test {

struct ProgressReports {
  std::vector<int32_t> reports;
  int32_t answer = 0;
  static int32_t Callback(void* userData, int32_t progress) {
    auto* self = static_cast<ProgressReports*>(userData);
    self->reports.push_back(progress);
    return self->answer;
  }
};

}  // namespace zbe::test
