#include "backup/DecryptionRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "backup/BackupDiscovery.h"
#include "backup/ChildProcess.h"
#include "backup/PrivateFolder.h"
#include "backup/ToolOutput.h"
#include "platform/FileSystem.h"
#include "platform/ResolvedPath.h"
#include "platform/UniqueFd.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadSize = 4096;
constexpr int kPollMilliseconds = 5;
constexpr int kPassesAfterExit = 100;
// Without output for this long, the last progress is reported again so that a stop is heard.
constexpr auto kQuietReportInterval = std::chrono::milliseconds(500);
// How long a tool that closed its output may take to exit by itself.
constexpr auto kExitGrace = std::chrono::milliseconds(2000);

// True when one folder is the other or lies inside it, or when either cannot be resolved (the
// output folder is emptied, so an unclear case must count as overlapping).
bool FoldersOverlap(const std::string& a, const std::string& b) {
  return PathWithin(a, b) || PathWithin(b, a);
}

// The password as the one line the tool reads; wiped from memory when done.
class PasswordLine {
 public:
  explicit PasswordLine(std::string_view password) : line_(password) { line_ += '\n'; }
  ~PasswordLine() { explicit_bzero(line_.data(), line_.size()); }
  PasswordLine(const PasswordLine&) = delete;
  PasswordLine& operator=(const PasswordLine&) = delete;
  std::string_view text() const { return line_; }

 private:
  std::string line_;
};

// Reads the tool's output until it has ended and said everything, it reported a wrong
// password, or a report was answered with a stop. Returns success, -110 or a stop with that
// answer.
Result FollowTool(ChildProcess& child, const DecryptionRun& run, int32_t& runningProgress,
                  const DecryptionProgress& report) {
  char buffer[kReadSize];
  int passesLeft = -1;  // counts down once the tool has ended
  int32_t lastValue = runningProgress;
  Clock::time_point lastReport = Clock::now();
  for (;;) {
    if (passesLeft < 0) {
      // Waits up to 5 ms, less when output arrives.
      pollfd wait{child.outputFd(), POLLIN, 0};
      poll(&wait, 1, kPollMilliseconds);
      if (child.HasExited()) {
        passesLeft = kPassesAfterExit;
      }
    } else if (passesLeft-- == 0) {
      return Result::Ok();
    }
    pollfd peek{child.outputFd(), POLLIN, 0};
    int ready = poll(&peek, 1, 0);
    if (ready < 0 && errno != EINTR) {
      return Result::Ok();
    }
    if (ready <= 0) {
      if (passesLeft < 0 && Clock::now() - lastReport >= kQuietReportInterval) {
        lastReport = Clock::now();
        if (int32_t answer = report(lastValue); answer != 0) {
          return Result::Answer(answer);
        }
      }
      continue;
    }
    if ((peek.revents & (POLLERR | POLLNVAL)) != 0) {
      return Result::Ok();
    }
    ssize_t got = read(child.outputFd(), buffer, sizeof buffer);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    if (got <= 0) {
      return Result::Ok();
    }
    ToolOutputStep step = InterpretToolOutput(std::string_view(buffer, static_cast<size_t>(got)),
                                              runningProgress, run.stepWeight, run.fileTotal);
    if (step.wrongPassword) {
      return kWrongPassword;
    }
    runningProgress = step.runningProgress;
    if (step.firstReport) {
      if (int32_t answer = report(runningProgress); answer != 0) {
        return Result::Answer(answer);
      }
    }
    lastReport = Clock::now();
    lastValue = step.report;
    if (int32_t answer = report(step.report); answer != 0) {
      return Result::Answer(answer);
    }
  }
}

}  // namespace

void ListBackupFiles(const std::string& backupFolder, std::vector<std::string>& files) {
  std::vector<std::string> entries;
  ListFolder(backupFolder, entries);
  for (const std::string& entry : entries) {
    if (IsFolder(entry)) {
      ListFolder(entry, files);
    } else {
      files.push_back(entry);
    }
  }
}

int32_t InstallToolCopy(const std::string& source, const std::string& copy) {
  if (copy.empty()) {
    return ENOENT;
  }
  if (!IsRegularFile(source)) {
    return ENOENT;
  }
  // Written beside the copy and renamed over it: a copy that is still running (another instance)
  // keeps its file, and a failure never leaves a half-written program to be started.
  std::string partial = copy + ".partial";
  unlink(partial.c_str());
  int32_t result = CopyFileBytes(source, partial);
  if (result != 0) {
    return result;
  }
  static constexpr char kMagic[2] = {'\x7f', 'E'};
  errno = 0;
  UniqueFd fd(open(partial.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
  bool written = fd.valid() && pwrite(fd.get(), kMagic, sizeof kMagic, 0) == sizeof kMagic &&
                 fchmod(fd.get(), 0700) == 0;
  if (!written || fd.Reset() != 0 || rename(partial.c_str(), copy.c_str()) != 0) {
    result = errno != 0 ? errno : EIO;
    unlink(partial.c_str());
    return result;
  }
  return 0;
}

std::vector<std::string> ToolArguments(const std::string& toolCopy, const std::string& backupFolder,
                                       const std::string& outputFolder) {
  return {toolCopy, backupFolder, outputFolder};
}

Result RunDecryption(const DecryptionRun& run, std::string_view password, int32_t& runningProgress,
                     const DecryptionProgress& report) {
  // The overlap is checked first: nothing of a backup folder may change, not even its mode.
  if (FoldersOverlap(run.backupFolder, run.outputFolder) ||
      InstallToolCopy(run.toolSource, run.toolCopy) != 0 ||
      EnsurePrivateFolder(run.outputFolder) != 0) {
    return kMissingFile;
  }
  // The tool never deletes what a folder already holds: files of an earlier run (of another
  // backup, perhaps) would otherwise be read as this backup's.
  EmptyFolder(run.outputFolder);
  ChildProcess child;
  if (child.Start(run.toolCopy, ToolArguments(run.toolCopy, run.backupFolder, run.outputFolder)) !=
      0) {
    return kMissingFile;
  }
  {
    // A tool that is already gone tells why on its output, which is read below.
    PasswordLine line(password);
    child.WriteInputAndClose(line.text());
  }
  Result result = FollowTool(child, run, runningProgress, report);
  child.End(result.ok() ? kExitGrace : std::chrono::milliseconds(0));
  if (!result.ok()) {
    EmptyFolder(run.outputFolder);
  }
  report(runningProgress + run.stepWeight);
  return result;
}

}  // namespace zbe
