#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UniqueFd.h"

namespace zbe {

// A program started as a child process in a process group of its own, with its standard input
// fed from a pipe and its standard output and standard error sharing one pipe that the parent
// reads. Owns the process: it is never left running or unreaped (see ~ChildProcess). Not
// copyable.
class ChildProcess {
 public:
  ChildProcess() = default;
  // Ends the child's process group if the child is still running (End with no grace).
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts "program" (an absolute path) with "arguments" as its argv (arguments[0] is the name the
  // program sees) and the parent's environment. The child inherits no descriptor but the three
  // pipes, and starts with default signal handling. Returns 0, or the errno of the failed pipe or
  // start (nothing is left running then). At most one start per object.
  int32_t Start(const std::string& program, const std::vector<std::string>& arguments);

  // Writes "bytes" to the child's standard input and closes it, so that the child sees the end
  // of its input. A child that has already gone gives EPIPE (never a signal). Returns 0 or errno.
  int32_t WriteInputAndClose(std::string_view bytes);

  // The parent's end of the output pipe (non-blocking), valid from a successful Start on.
  int outputFd() const { return output_.get(); }

  pid_t pid() const { return pid_; }

  // True once the child has ended. Does not reap it, so its process group stays addressable.
  bool HasExited();

  // Ends the child: waits up to "grace" for it to end by itself, then asks its whole process
  // group to terminate (SIGTERM), and after a short while kills it (SIGKILL); whatever else is
  // left in the group is killed, and the child is reaped. Does nothing once done.
  void End(std::chrono::milliseconds grace);

  // The exit status once the child was reaped after exiting normally; nothing otherwise.
  std::optional<int> exitStatus() const { return exitStatus_; }

 private:
  bool WaitForExit(std::chrono::milliseconds limit);

  pid_t pid_ = -1;
  bool reaped_ = false;
  bool lost_ = false;  // reaped by someone else (SIGCHLD ignored): its ids are no longer ours
  UniqueFd input_;     // parent's end of the child's standard input
  UniqueFd output_;    // parent's end of the child's standard output and error
  std::optional<int> exitStatus_;
};

}  // namespace zbe
