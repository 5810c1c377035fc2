// Starting the media players beside the program for the preview: "Player1" for audio, "Player"
// for video, whose output tells when the video plays. Every player started here is remembered
// for shut-down (StartupSteps.h), and only those are ever ended.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/UniqueFd.h"

namespace zbe {

// The audio player: "<programFolder>Player1" with the copy's path. Returns 0, or the errno of
// the failed start.
int32_t StartAudioPlayer(const std::string& programFolder, const std::string& path);

// A started video player and the read end of its output.
struct VideoPlayer {
  pid_t pid = -1;
  UniqueFd output;
};

// The video player with the product's command line: "<programFolder>Player -aspect 16:9 -vo
// direct3d -lavdopts threads=4 -geometry 845:260 -x 326 -y 189 <path>", its standard output and
// error on a pipe, in a process group of its own. Returns 0, or the errno of the failed start.
int32_t StartVideoPlayer(const std::string& programFolder, const std::string& path,
                         VideoPlayer& player);

// Watches a started video player until its output holds a "%" (it plays). Waits for its output
// 5 ms at a time; once the player has ended, gives it 100 more rounds. Returns true when a "%"
// came (the pipe is then closed), false when the rounds ran out, the pipe failed or "stop" was
// set. Reaps the player when it ends.
bool WaitUntilPlaying(VideoPlayer& player, const std::atomic<bool>& stop);

}  // namespace zbe
