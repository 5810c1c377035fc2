// Player: the video player beside the application. Plays one file with mpv or, failing that,
// ffplay, in a window at the place and size the command line asks for, and prints a line with
// the position in percent once the video plays: the application waits for a "%" to know that
// playback has started. Exits with the player's status; 2 when the file cannot be read, 3 when
// neither player is installed, 64 for a bad command line. Ending Player ends its player.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/players/PlayerCommand.h"
#include "tools/players/ProgressTracker.h"

extern char** environ;

namespace {

volatile sig_atomic_t g_child = 0;
volatile sig_atomic_t g_signal = 0;

void OnEndSignal(int sig) {
  g_signal = sig;
  if (g_child > 0)
    kill(static_cast<pid_t>(g_child), SIGTERM);
}

void WriteOut(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(STDOUT_FILENO, data, size);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return;  // nobody reads any more (the application saw the "%"): playback goes on
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void WriteOut(const std::string& text) {
  WriteOut(text.data(), text.size());
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Starts "argv" with its standard output and error on "outputFd" and its input from /dev/null.
// Returns the child's id, or -1 with errno set.
pid_t Spawn(const std::vector<std::string>& argv, int outputFd, int readEnd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, readEnd);
  posix_spawn_file_actions_addclose(&actions, outputFd);
  std::vector<char*> args;
  for (const std::string& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    errno = rc;
    return -1;
  }
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zbe::players;
  signal(SIGPIPE, SIG_IGN);
  std::string error;
  const auto request = ParseVideoRequest(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!request) {
    std::fprintf(stderr,
                 "Player: %s\nusage: Player [-geometry X:Y] [-x WIDTH] [-y HEIGHT] [-aspect A] "
                 "[-vo V] [-lavdopts threads=N] FILE\n",
                 error.c_str());
    return 64;
  }
  if (access(request->file.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "Player: cannot read %s: %s\n", request->file.c_str(),
                 std::strerror(errno));
    return 2;
  }
  const char* pathEnv = std::getenv("PATH");
  const std::string path = pathEnv != nullptr ? pathEnv : "/usr/bin:/bin";
  PlayerKind kind = PlayerKind::kMpv;
  std::string program = FindInPath("mpv", path);
  if (program.empty()) {
    kind = PlayerKind::kFfplay;
    program = FindInPath("ffplay", path);
  }
  if (program.empty()) {
    std::fprintf(stderr, "Player: cannot play %s: no video player found (install mpv or ffplay)\n",
                 request->file.c_str());
    return 3;
  }

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    std::fprintf(stderr, "Player: cannot make a pipe: %s\n", std::strerror(errno));
    return 1;
  }
  struct sigaction end {};
  end.sa_handler = OnEndSignal;
  sigemptyset(&end.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP})
    sigaction(sig, &end, nullptr);

  const pid_t child = Spawn(PlayerArguments(kind, program, *request), fds[1], fds[0]);
  close(fds[1]);
  if (child < 0) {
    std::fprintf(stderr, "Player: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    close(fds[0]);
    return 1;
  }
  g_child = child;
  if (g_signal != 0)
    kill(child, SIGTERM);

  ProgressTracker tracker;
  tracker.SetName(BaseName(request->file));
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    WriteOut(buffer, static_cast<size_t>(n));
    if (kind == PlayerKind::kFfplay) {
      if (auto line = tracker.Feed(std::string_view(buffer, static_cast<size_t>(n))))
        WriteOut("\n" + *line + "\n");
    }
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (g_signal != 0)
    return 128 + g_signal;
  if (WIFEXITED(status))
    return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 1;
}
