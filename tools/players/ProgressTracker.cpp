#include "tools/players/ProgressTracker.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace zbe::players {
namespace {

// Reads "hh:mm:ss.xx" at the start of "text"; 0 when it is not one.
double ParseClock(std::string_view text) {
  int hours = 0, minutes = 0;
  double seconds = 0;
  const std::string copy(text.substr(0, 32));
  if (std::sscanf(copy.c_str(), "%d:%d:%lf", &hours, &minutes, &seconds) != 3)
    return 0;
  return hours * 3600.0 + minutes * 60.0 + seconds;
}

}  // namespace

std::optional<std::string> ProgressTracker::Feed(std::string_view output) {
  pending_.append(output);
  std::optional<std::string> result;
  size_t start = 0;
  for (size_t i = 0; i < pending_.size(); ++i) {
    if (pending_[i] != '\n' && pending_[i] != '\r')
      continue;
    if (auto line = Line(std::string_view(pending_).substr(start, i - start)))
      result = std::move(line);  // only the newest position matters
    start = i + 1;
  }
  pending_.erase(0, start);
  return result;
}

std::optional<std::string> ProgressTracker::Line(std::string_view line) {
  const size_t duration = line.find("Duration: ");
  if (duration != std::string_view::npos) {
    duration_ = ParseClock(line.substr(duration + 10));
    return std::nullopt;
  }
  // A status line: the position, then one of ffplay's clock differences.
  if (line.find("A-V:") == std::string_view::npos && line.find("M-V:") == std::string_view::npos &&
      line.find("M-A:") == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string text(line);
  char* end = nullptr;
  const double position = std::strtod(text.c_str(), &end);
  if (end == text.c_str())
    return std::nullopt;
  int percent = 0;
  if (duration_ > 0) {
    percent = static_cast<int>(position * 100.0 / duration_);
    percent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
  }
  if (percent == lastPercent_)
    return std::nullopt;
  lastPercent_ = percent;
  return "Playing " + name_ + ": " + std::to_string(percent) + "%";
}

}  // namespace zbe::players
