#include "app/MediaPlayers.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string_view>
#include <thread>
#include <vector>

#include "app/StartupSteps.h"

extern char** environ;

namespace zbe {
namespace {

constexpr int kRoundMs = 5;
constexpr int kRoundsAfterExit = 100;

// Starts "argv" in a new process group, input from /dev/null, output on "outputFd" (or to
// /dev/null when it is -1; standard error then stays the program's). Remembers it for
// shut-down.
int32_t Spawn(const std::vector<std::string>& argv, int outputFd, int readEnd, pid_t& pid) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (outputFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, outputFd);
    posix_spawn_file_actions_addclose(&actions, readEnd);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigdefault(&attributes, &all);
  std::vector<char*> args;
  for (const std::string& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const int rc = posix_spawn(&pid, argv[0].c_str(), &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0)
    return rc;
  RememberStartedPlayer(pid);
  return 0;
}

}  // namespace

int32_t StartAudioPlayer(const std::string& programFolder, const std::string& path) {
  pid_t pid = -1;
  return Spawn({programFolder + "Player1", path}, -1, -1, pid);
}

int32_t StartVideoPlayer(const std::string& programFolder, const std::string& path,
                         VideoPlayer& player) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0)
    return errno;
  UniqueFd readEnd(fds[0]);
  UniqueFd writeEnd(fds[1]);
  const std::vector<std::string> argv = {programFolder + "Player",
                                         "-aspect",
                                         "16:9",
                                         "-vo",
                                         "direct3d",
                                         "-lavdopts",
                                         "threads=4",
                                         "-geometry",
                                         "845:260",
                                         "-x",
                                         "326",
                                         "-y",
                                         "189",
                                         path};
  if (int32_t rc = Spawn(argv, writeEnd.get(), readEnd.get(), player.pid); rc != 0)
    return rc;
  fcntl(readEnd.get(), F_SETFL, fcntl(readEnd.get(), F_GETFL) | O_NONBLOCK);
  player.output = std::move(readEnd);
  return 0;
}

bool WaitUntilPlaying(VideoPlayer& player, const std::atomic<bool>& stop) {
  bool ended = false;
  int roundsLeft = kRoundsAfterExit;
  char buffer[4096];
  while (!stop.load()) {
    if (!ended) {
      int status = 0;
      ended = waitpid(player.pid, &status, WNOHANG) != 0;
    } else if (--roundsLeft < 0) {
      return false;
    }
    pollfd p{player.output.get(), POLLIN, 0};
    const int ready = poll(&p, 1, kRoundMs);
    if (ready < 0 && errno != EINTR)
      return false;
    if (ready <= 0)
      continue;
    const ssize_t n = read(player.output.get(), buffer, sizeof buffer);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
      continue;
    if (n < 0)
      return false;
    if (n == 0) {
      // Nothing more will come; the player's end decides the rounds left.
      std::this_thread::sleep_for(std::chrono::milliseconds(kRoundMs));
      continue;
    }
    if (std::string_view(buffer, static_cast<size_t>(n)).find('%') != std::string_view::npos) {
      player.output.Reset();
      return true;
    }
  }
  return false;
}

}  // namespace zbe
