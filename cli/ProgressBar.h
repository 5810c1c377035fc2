#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "backup/ScanSession.h"

namespace zbe::cli {

// Shows a scan's progress as a bar on "out" (for zbe, stderr), drawn only when "out" is a
// terminal, so that redirected output stays clean. Like the scan page it shows a report only
// when it is above the last one shown, and at most 99 until Finish. Never stops the scan.
class ProgressBar final : public ScanObserver {
 public:
  explicit ProgressBar(std::FILE* out);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  int32_t OnProgress(int32_t progress) override;

  // Shows 100 and ends the line, when anything was drawn.
  void Finish();

  // The bar's line for "percent" (0 to 100), without the leading carriage return.
  static std::string Line(int32_t percent);

 private:
  void Draw(int32_t percent);

  std::FILE* const out_;
  const bool enabled_;  // "out" is a terminal
  int32_t shown_ = -1;  // last value drawn; -1 before the first
};

}  // namespace zbe::cli
