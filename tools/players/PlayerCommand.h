#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zbe::players {

// What the application asks of the video launcher: its command line is
//   Player -aspect 16:9 -vo direct3d -lavdopts threads=4 -geometry X:Y -x W -y H "FILE"
// Options it cannot use here (-aspect, -vo) are accepted and ignored.
struct VideoRequest {
  std::string file;
  int left = -1;  // -geometry X:Y, the window's position; -1 when not given
  int top = -1;
  int width = 0;  // -x and -y, the window's size; 0 when not given
  int height = 0;
  int threads = 0;  // -lavdopts threads=N; 0 when not given
};

// Reads the launcher's arguments (argv without the program name). Returns the request, or
// nothing when no file is named, an option lacks its value or a number is not one; "error"
// then says why.
std::optional<VideoRequest> ParseVideoRequest(const std::vector<std::string>& args,
                                              std::string& error);

// The players the launcher can use, in the order it tries them.
enum class PlayerKind { kMpv, kFfplay };

// The full path of "program" in the folders of "path" (a PATH value), or "" when none of them
// holds an executable file of that name.
std::string FindInPath(const std::string& program, const std::string& path);

// The argument vector (argv[0] first) that plays "request" with "kind". mpv prints a line with
// the position in percent once playback has started; ffplay prints its stream information and
// a status line with the position in seconds, which ProgressTracker turns into percent.
std::vector<std::string> PlayerArguments(PlayerKind kind, const std::string& program,
                                         const VideoRequest& request);

}  // namespace zbe::players
