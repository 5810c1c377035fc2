#include "backup/ToolOutput.h"

#include <algorithm>
#include <cstdint>

#include "backup/DecryptionProtocol.h"

namespace zbe {
namespace {

// The number after the last progress marker of "chunk" (digits after optional blanks), capped
// at "limit". 0 when there is none.
int64_t LastCount(std::string_view chunk, size_t marker, int64_t limit) {
  size_t pos = marker + std::string_view(kToolProgressMarker).size();
  while (pos < chunk.size() && (chunk[pos] == ' ' || chunk[pos] == '\t')) {
    ++pos;
  }
  int64_t number = 0;
  for (; pos < chunk.size() && chunk[pos] >= '0' && chunk[pos] <= '9'; ++pos) {
    int digit = chunk[pos] - '0';
    if (number > (INT64_MAX - digit) / 10) {
      return limit;  // beyond any cap
    }
    number = number * 10 + digit;
  }
  return std::min(number, limit);
}

}  // namespace

ToolOutputStep InterpretToolOutput(std::string_view chunk, int32_t runningProgress,
                                   int32_t stepWeight, int64_t fileTotal) {
  ToolOutputStep step;
  step.runningProgress = runningProgress;
  if (chunk.find(kToolWrongPassword) != std::string_view::npos) {
    step.wrongPassword = true;
    return step;
  }
  // Counts are running totals, so the last one in the chunk is the most recent.
  size_t marker = chunk.rfind(kToolProgressMarker);
  int64_t number = 0;
  if (marker != std::string_view::npos) {
    if (step.runningProgress == 0) {
      step.runningProgress = 1;
      step.firstReport = true;
    }
    number = LastCount(chunk, marker, fileTotal > 0 ? fileTotal : 0);
  }
  step.report = step.runningProgress;
  if (fileTotal > 0) {
    step.report += static_cast<int32_t>(static_cast<int64_t>(stepWeight) * number / fileTotal);
  }
  return step;
}

}  // namespace zbe
