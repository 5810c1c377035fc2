#include "cli/ProgressBar.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace zbe::cli {
namespace {

TEST(ProgressBar, DrawsAFortyCharacterBar) {
  EXPECT_EQ(ProgressBar::Line(0), "scanning [                                        ]   0%");
  EXPECT_EQ(ProgressBar::Line(45), "scanning [##################                      ]  45%");
  EXPECT_EQ(ProgressBar::Line(100), "scanning [########################################] 100%");
  EXPECT_EQ(ProgressBar::Line(250), ProgressBar::Line(100));
}

TEST(ProgressBar, WritesNothingWhenNotATerminalAndNeverStops) {
  test::TempFolder temp;
  std::FILE* out = std::fopen((temp / "err").c_str(), "w");
  ASSERT_NE(out, nullptr);
  {
    ProgressBar bar(out);
    for (int32_t progress : {0, 1, 12, 5, 98, 120}) {
      EXPECT_EQ(bar.OnProgress(progress), 0);
    }
    bar.Finish();
  }
  std::fclose(out);
  EXPECT_EQ(test::ReadFile(temp / "err"), "");
}

TEST(ProgressBar, AnswersStopToEveryReportAfterAStopRequest) {
  test::TempFolder temp;
  std::FILE* out = std::fopen((temp / "err").c_str(), "w");
  ASSERT_NE(out, nullptr);
  {
    ProgressBar bar(out);
    EXPECT_EQ(bar.OnProgress(5), 0);
    EXPECT_FALSE(bar.stopRequested());
    bar.RequestStop();
    EXPECT_TRUE(bar.stopRequested());
    EXPECT_EQ(bar.OnProgress(5), 2);
    EXPECT_EQ(bar.OnProgress(60), 2);
  }
  std::fclose(out);
}

}  // namespace
}  // namespace zbe::cli
