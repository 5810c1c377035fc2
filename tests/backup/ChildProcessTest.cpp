#include "backup/ChildProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using std::chrono::milliseconds;

// Everything the child writes until it closes its output (or 10 s pass).
std::string ReadAllOutput(ChildProcess& child) {
  std::string text;
  char buffer[4096];
  for (int waited = 0; waited < 10000;) {
    pollfd wait{child.outputFd(), POLLIN, 0};
    if (poll(&wait, 1, 10) == 0) {
      waited += 10;
      continue;
    }
    ssize_t got = read(child.outputFd(), buffer, sizeof buffer);
    if (got < 0 && errno == EAGAIN) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  return text;
}

// True while "pid" names a process that has not ended (a zombie has ended).
bool IsRunning(pid_t pid) {
  std::string stat = test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

TEST(ChildProcess, FeedsStandardInputAndMergesOutputAndError) {
  ChildProcess child;
  ASSERT_EQ(child.Start("/bin/sh", {"sh", "-c", "read line; echo \"got $line\"; echo oops >&2"}),
            0);
  EXPECT_EQ(child.WriteInputAndClose("secret words\n"), 0);
  EXPECT_EQ(ReadAllOutput(child), "got secret words\noops\n");
  child.End(milliseconds(2000));
  EXPECT_EQ(child.exitStatus(), 0);
}

TEST(ChildProcess, RunsInAProcessGroupOfItsOwnWithOnlyTheThreePipes) {
  // A descriptor that the parent forgot to mark close-on-exec must not reach the child.
  test::TempFolder folder;
  int leaked = open((folder / "leak").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(leaked, 0);
  ChildProcess child;
  ASSERT_EQ(child.Start("/bin/sh", {"sh", "-c", "ps -o pgid= -p $$; ls /proc/$$/fd"}), 0);
  child.WriteInputAndClose("");
  std::string output = ReadAllOutput(child);
  close(leaked);
  child.End(milliseconds(2000));
  std::string group = output.substr(0, output.find('\n'));
  EXPECT_EQ(group.substr(group.find_first_not_of(' ')), std::to_string(child.pid())) << output;
  EXPECT_EQ(output.substr(output.find('\n') + 1), "0\n1\n2\n") << output;
}

TEST(ChildProcess, EndKillsTheWholeGroupAndReapsTheChild) {
  test::TempFolder folder;
  ChildProcess child;
  std::string script = "sleep 60 & echo $! > " + folder / "grandchild" + "; echo ready; sleep 60";
  ASSERT_EQ(child.Start("/bin/sh", {"sh", "-c", script}), 0);
  child.WriteInputAndClose("");
  char buffer[16];
  pollfd wait{child.outputFd(), POLLIN, 0};
  ASSERT_EQ(poll(&wait, 1, 10000), 1);
  ASSERT_GT(read(child.outputFd(), buffer, sizeof buffer), 0);
  pid_t grandchild = std::stoi(test::ReadFile(folder / "grandchild"));
  EXPECT_FALSE(child.HasExited());
  auto started = std::chrono::steady_clock::now();
  child.End(milliseconds(0));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_TRUE(child.HasExited());
  EXPECT_NE(kill(child.pid(), 0), 0);  // reaped, not even a zombie
  for (int i = 0; i < 200 && IsRunning(grandchild); ++i) {
    usleep(10000);
  }
  EXPECT_FALSE(IsRunning(grandchild));
}

TEST(ChildProcess, AChildThatIsGoneGivesEpipeNotASignal) {
  ChildProcess child;
  ASSERT_EQ(child.Start("/bin/sh", {"sh", "-c", "exit 3"}), 0);
  while (!child.HasExited()) {
    usleep(1000);
  }
  // Larger than a pipe holds, so that the write cannot succeed into the buffer.
  EXPECT_EQ(child.WriteInputAndClose(std::string(1 << 20, 'x')), EPIPE);
  child.End(milliseconds(0));
  EXPECT_EQ(child.exitStatus(), 3);
}

TEST(ChildProcess, AProgramThatCannotStartLeavesNothingRunning) {
  ChildProcess child;
  EXPECT_EQ(child.Start("/no/such/program", {"program"}), ENOENT);
  EXPECT_LT(child.outputFd(), 0);
  EXPECT_EQ(child.WriteInputAndClose("x"), EBADF);
}

TEST(ChildProcess, TheDestructorEndsARunningChild) {
  pid_t pid = -1;
  {
    ChildProcess child;
    ASSERT_EQ(child.Start("/bin/sh", {"sh", "-c", "sleep 60"}), 0);
    pid = child.pid();
    EXPECT_TRUE(IsRunning(pid));
  }
  EXPECT_FALSE(IsRunning(pid));
}

}  // namespace
}  // namespace zbe
