#include "backup/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <thread>

extern char** environ;

namespace zbe {
namespace {

// A pipe whose ends are close-on-exec and not among the standard descriptors (which the child's
// ends are moved onto), so that no end reaches the child by accident.
int32_t MakePipe(UniqueFd& readEnd, UniqueFd& writeEnd) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return errno;
  }
  UniqueFd low[2] = {UniqueFd(ends[0]), UniqueFd(ends[1])};
  UniqueFd* out[2] = {&readEnd, &writeEnd};
  for (int i = 0; i < 2; ++i) {
    int fd = fcntl(low[i].get(), F_DUPFD_CLOEXEC, 3);
    if (fd < 0) {
      return errno;
    }
    out[i]->Reset(fd);
  }
  return 0;
}

// posix_spawn's attribute and file-action objects, destroyed with the scope.
struct SpawnSetup {
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

ChildProcess::~ChildProcess() {
  End(std::chrono::milliseconds(0));
}

int32_t ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  if (pid_ > 0) {
    return EBUSY;
  }
  UniqueFd childInput, childOutput;
  int32_t result = MakePipe(childInput, input_);
  if (result == 0) {
    result = MakePipe(output_, childOutput);
  }
  if (result != 0) {
    return result;
  }
  SpawnSetup setup;
  // A process group of its own, so that the child and anything it starts can be ended at once;
  // default signal handling and no blocked signals, whatever the parent has set.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGCHLD}) {
    sigaddset(&defaults, signal);
  }
  posix_spawnattr_setflags(&setup.attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&setup.attributes, 0);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
  posix_spawn_file_actions_adddup2(&setup.actions, childInput.get(), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions, childOutput.get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions, childOutput.get(), STDERR_FILENO);
  // Descriptors the parent opened without close-on-exec must not leak into the child.
  posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

  std::vector<char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  pid_t pid = -1;
  result =
      posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
  if (result != 0) {
    input_.Reset();
    output_.Reset();
    return result;
  }
  pid_ = pid;
  // Only the child holds its ends now: the output pipe reports its end once the child is gone.
  childInput.Reset();
  childOutput.Reset();
  fcntl(output_.get(), F_SETFL, fcntl(output_.get(), F_GETFL) | O_NONBLOCK);
  return 0;
}

int32_t ChildProcess::WriteInputAndClose(std::string_view bytes) {
  if (!input_.valid()) {
    return EBADF;
  }
  // A child that is gone must give EPIPE, not a SIGPIPE that ends the application: block the
  // signal on this thread and take back one that the write raised.
  sigset_t pipeSignal, previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  sigset_t pendingBefore;
  sigpending(&pendingBefore);
  int32_t result = 0;
  for (size_t done = 0; done < bytes.size();) {
    ssize_t put = write(input_.get(), bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      result = errno;
      break;
    }
    done += static_cast<size_t>(put);
  }
  if (result == EPIPE && !sigismember(&pendingBefore, SIGPIPE)) {
    timespec zero{};
    sigtimedwait(&pipeSignal, nullptr, &zero);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  input_.Reset();
  return result;
}

bool ChildProcess::HasExited() {
  if (pid_ <= 0 || reaped_) {
    return true;
  }
  siginfo_t info{};
  // WNOWAIT leaves the child a zombie: its process id, and with it the id of its process group,
  // cannot be given to another process before End reaps it.
  while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
    if (errno != EINTR) {
      // Reaped elsewhere (the application ignores SIGCHLD): its ids may be reused already.
      lost_ = true;
      return true;
    }
  }
  return info.si_pid == pid_;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!HasExited()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void ChildProcess::End(std::chrono::milliseconds grace) {
  input_.Reset();
  if (pid_ <= 0 || reaped_) {
    return;
  }
  if (!WaitForExit(grace) && !lost_) {
    kill(-pid_, SIGTERM);
    if (!WaitForExit(std::chrono::milliseconds(1000)) && !lost_) {
      kill(-pid_, SIGKILL);
    }
  }
  reaped_ = true;
  output_.Reset();
  if (lost_) {
    return;
  }
  // The child is a zombie or dying, so the group id is still its own: sweep what else is in it.
  kill(-pid_, SIGKILL);
  int status = 0;
  pid_t done;
  do {
    done = waitpid(pid_, &status, 0);
  } while (done < 0 && errno == EINTR);
  if (done == pid_ && WIFEXITED(status)) {
    exitStatus_ = WEXITSTATUS(status);
  }
}

}  // namespace zbe
