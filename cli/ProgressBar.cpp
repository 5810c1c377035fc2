#include "cli/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

#include "records/ResultCodes.h"

namespace zbe::cli {
namespace {

constexpr int32_t kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::FILE* out) : out_(out), enabled_(isatty(fileno(out)) == 1) {}

std::string ProgressBar::Line(int32_t percent) {
  percent = std::clamp(percent, 0, 100);
  int32_t filled = percent * kBarWidth / 100;
  char number[8];
  std::snprintf(number, sizeof number, "%3d%%", percent);
  return "scanning [" + std::string(static_cast<size_t>(filled), '#') +
         std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] " + number;
}

void ProgressBar::Draw(int32_t percent) {
  shown_ = percent;
  if (enabled_) {
    std::fprintf(out_, "\r%s", Line(percent).c_str());
    std::fflush(out_);
  }
}

int32_t ProgressBar::OnProgress(int32_t progress) {
  if (stopRequested_.load()) {
    return kResultStopped;
  }
  int32_t percent = std::min(progress, 99);
  if (percent > shown_) {
    Draw(percent);
  }
  return 0;
}

void ProgressBar::Finish() {
  if (shown_ >= 0 && enabled_) {
    Draw(100);
    std::fputc('\n', out_);
    std::fflush(out_);
  }
}

}  // namespace zbe::cli
