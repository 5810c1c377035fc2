#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zbe::players {

// Follows a player's output and tells the position of the playback in percent, for players
// that do not print it themselves: ffplay prints "Duration: 00:01:02.50," among its stream
// information, then status lines that begin with the position in seconds ("   4.12 A-V: ...").
// Lines may end with "\r" (status lines) or "\n".
class ProgressTracker {
 public:
  // Feeds output as it arrives (any split). Returns a line "Playing <name>: <n>%" each time the
  // whole percent changes, starting with the first status line; nothing otherwise. Without a
  // known duration the first status line gives 0%.
  std::optional<std::string> Feed(std::string_view output);

  void SetName(std::string name) { name_ = std::move(name); }

 private:
  std::optional<std::string> Line(std::string_view line);

  std::string pending_;
  std::string name_;
  double duration_ = 0;  // seconds; 0 while unknown
  int lastPercent_ = -1;
};

}  // namespace zbe::players
