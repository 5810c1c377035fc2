#pragma once

#include <cstdint>
#include <string_view>

namespace zbe {

// What one chunk of the decryption tool's output means for the scan's progress.
struct ToolOutputStep {
  bool wrongPassword = false;   // the chunk holds "Wrong password": the run ends with -110
  bool firstReport = false;     // report 1 before "report": the first "Count:" of the scan
  int32_t runningProgress = 0;  // the running progress after the chunk
  int32_t report = 0;           // the progress to report for the chunk
};

// Interprets one chunk of output read from the tool, given the running progress before it, the
// step weight and the number of backup files. A chunk that holds "Wrong password" gives only
// wrongPassword (whatever else it holds). Otherwise, when it holds "Count:" while the running
// progress is 0, the running progress becomes 1 and firstReport is set; then "report" is the
// running progress + stepWeight * number / fileTotal, where "number" follows the chunk's last
// "Count:" (0 without one, or without digits after it), at most fileTotal, so that a step never
// reports beyond its weight. With a fileTotal of 0 (nothing to divide by) "report" is the running
// progress unchanged. Pure; never fails.
ToolOutputStep InterpretToolOutput(std::string_view chunk, int32_t runningProgress,
                                   int32_t stepWeight, int64_t fileTotal);

}  // namespace zbe
