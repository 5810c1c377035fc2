#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include "backup/ScanSession.h"

namespace zbe::cli {

// Shows a scan's progress as a bar on "out" (for zbe, stderr), drawn only when "out" is a
// terminal, so that redirected output stays clean. Like the scan page it shows a report only
// when it is above the last one shown, and at most 99 until Finish. Answers 2 (stop) to every
// report after RequestStop, so that Ctrl-C stops the scan as the scan page's Stop button does.
class ProgressBar final : public ScanObserver {
 public:
  explicit ProgressBar(std::FILE* out);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  int32_t OnProgress(int32_t progress) override;

  // Shows 100 and ends the line, when anything was drawn.
  void Finish();

  // Makes every later report answer 2. Async-signal-safe (a lock-free store).
  void RequestStop() noexcept { stopRequested_.store(true); }
  bool stopRequested() const noexcept { return stopRequested_.load(); }

  // The bar's line for "percent" (0 to 100), without the leading carriage return.
  static std::string Line(int32_t percent);

 private:
  void Draw(int32_t percent);

  std::FILE* const out_;
  const bool enabled_;  // "out" is a terminal
  int32_t shown_ = -1;  // last value drawn; -1 before the first
  std::atomic<bool> stopRequested_{false};
  static_assert(std::atomic<bool>::is_always_lock_free);
};

}  // namespace zbe::cli
