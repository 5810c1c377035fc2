#include "backup/ToolOutput.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

TEST(InterpretToolOutput, WrongPasswordWinsOverCountsInTheSameChunk) {
  ToolOutputStep step = InterpretToolOutput("Count: 3\nWrong password\n", 0, 10, 20);
  EXPECT_TRUE(step.wrongPassword);
  EXPECT_FALSE(step.firstReport);
  EXPECT_EQ(step.runningProgress, 0);
  EXPECT_TRUE(InterpretToolOutput("Wrong password\n", 4, 10, 20).wrongPassword);
}

TEST(InterpretToolOutput, AChunkWithoutCountReportsTheRunningProgressUnchanged) {
  for (int32_t running : {0, 1, 37}) {
    ToolOutputStep step = InterpretToolOutput("tool: warning: something\n", running, 10, 20);
    EXPECT_FALSE(step.wrongPassword);
    EXPECT_FALSE(step.firstReport);
    EXPECT_EQ(step.runningProgress, running);
    EXPECT_EQ(step.report, running);
  }
  EXPECT_EQ(InterpretToolOutput("", 5, 10, 20).report, 5);
}

TEST(InterpretToolOutput, TheFirstCountOfAScanReportsOneFirst) {
  ToolOutputStep first = InterpretToolOutput("Count: 4\n", 0, 10, 8);
  EXPECT_TRUE(first.firstReport);
  EXPECT_EQ(first.runningProgress, 1);
  EXPECT_EQ(first.report, 1 + 10 * 4 / 8);
  // Later counts, and counts after progress was made, leave the running progress alone.
  ToolOutputStep later = InterpretToolOutput("Count: 6\n", first.runningProgress, 10, 8);
  EXPECT_FALSE(later.firstReport);
  EXPECT_EQ(later.runningProgress, 1);
  EXPECT_EQ(later.report, 1 + 10 * 6 / 8);
  ToolOutputStep resumed = InterpretToolOutput("Count: 1\n", 12, 10, 8);
  EXPECT_FALSE(resumed.firstReport);
  EXPECT_EQ(resumed.report, 12 + 1);
}

TEST(InterpretToolOutput, TakesTheLastCountOfAChunk) {
  EXPECT_EQ(InterpretToolOutput("Count: 1\nCount: 2\nCount: 3\n", 1, 10, 3).report, 11);
  // A line cut by the read limit gives what it holds; the next chunk carries on.
  EXPECT_EQ(InterpretToolOutput("Count: 10\nCount: 1", 1, 100, 100).report, 2);
}

TEST(InterpretToolOutput, ReadsOddNumbersSafely) {
  // No digits after the marker counts as 0.
  EXPECT_EQ(InterpretToolOutput("Count:\n", 1, 10, 5).report, 1);
  EXPECT_EQ(InterpretToolOutput("Count: x\n", 1, 10, 5).report, 1);
  // A count beyond the file total (the tool counts manifest files, the runner the folder's
  // files) never reports beyond the step, even when it would overflow.
  EXPECT_EQ(InterpretToolOutput("Count: 7\n", 1, 10, 5).report, 11);
  EXPECT_EQ(InterpretToolOutput("Count: 99999999999999999999999\n", 1, 10, 5).report, 11);
  EXPECT_EQ(InterpretToolOutput("Count:\t3\n", 1, 10, 6).report, 6);
}

TEST(InterpretToolOutput, AnEmptyBackupFolderReportsTheRunningProgress) {
  ToolOutputStep step = InterpretToolOutput("Count: 3\n", 0, 10, 0);
  EXPECT_TRUE(step.firstReport);
  EXPECT_EQ(step.runningProgress, 1);
  EXPECT_EQ(step.report, 1);
}

}  // namespace
}  // namespace zbe
