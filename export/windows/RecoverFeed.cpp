#include "export/windows/RecoverFeed.h"

#include <utility>

namespace zbe {

RecoverFeed::RecoverFeed(std::function<void()> wake) : wake_(std::move(wake)) {}

RecoverFeed::Batch RecoverFeed::Take() {
  std::lock_guard<std::mutex> hold(mutex_);
  Batch taken = std::move(pending_);
  pending_ = Batch{};
  // The counts stay: a batch that brings only files still shows the right counts.
  pending_.counts = taken.counts;
  woken_ = false;
  return taken;
}

void RecoverFeed::OnFileFinished(const FinishedFile& file, const ExportCounts& counts) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.files.push_back(file);
    pending_.counts = counts;
    wake = !std::exchange(woken_, true);
  }
  WakeOnce(wake);
}

void RecoverFeed::OnProgress(int32_t percent, const std::string& path, const ExportCounts& counts) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.progressed = true;
    pending_.percent = percent;
    pending_.path = path;
    pending_.counts = counts;
    wake = !std::exchange(woken_, true);
  }
  WakeOnce(wake);
}

void RecoverFeed::OnRunFinished(int32_t result, const ExportCounts& counts) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.result = result;
    pending_.counts = counts;
    wake = !std::exchange(woken_, true);
  }
  WakeOnce(wake);
}

void RecoverFeed::WakeOnce(bool needed) {
  if (needed && wake_)
    wake_();
}

}  // namespace zbe
