#include "export/Formats.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

TEST(FormatDuration, ShowsSecondsBelowOneMinute) {
  EXPECT_EQ(FormatDuration(0), "0 Sec");
  EXPECT_EQ(FormatDuration(1), "1 Sec");
  EXPECT_EQ(FormatDuration(59), "59 Sec");
}

TEST(FormatDuration, ShowsMinutesAndSecondsBelowOneHour) {
  EXPECT_EQ(FormatDuration(60), "1 Min 0 Sec");
  EXPECT_EQ(FormatDuration(61), "1 Min 1 Sec");
  EXPECT_EQ(FormatDuration(3599), "59 Min 59 Sec");
}

TEST(FormatDuration, ShowsHoursAndMinutesDroppingSeconds) {
  EXPECT_EQ(FormatDuration(3600), "1 Hour 0 Min");
  EXPECT_EQ(FormatDuration(3725), "1 Hour 2 Min");
  EXPECT_EQ(FormatDuration(3659), "1 Hour 0 Min");
  EXPECT_EQ(FormatDuration(90061), "25 Hour 1 Min");
}

TEST(FormatDuration, ShowsNegativeAndHugeValuesWhole) {
  EXPECT_EQ(FormatDuration(-5), "-5 Sec");
  EXPECT_EQ(FormatDuration(-3600), "-3600 Sec");
  // Beyond 32 bits the hours are not cut.
  EXPECT_EQ(FormatDuration(int64_t{3600} * 3000000), "3000000 Hour 0 Min");
}

TEST(FormatSize, ShowsBytesBelow1024) {
  EXPECT_EQ(FormatSize(0), "0 Bytes");
  EXPECT_EQ(FormatSize(1), "1 Bytes");
  EXPECT_EQ(FormatSize(1023), "1023 Bytes");
}

TEST(FormatSize, SwitchesUnitAtEachPowerOf1024) {
  EXPECT_EQ(FormatSize(1024), "1.00 KB");
  EXPECT_EQ(FormatSize(1536), "1.50 KB");
  EXPECT_EQ(FormatSize((int64_t{1} << 20) - 1), "1024.00 KB");
  EXPECT_EQ(FormatSize(int64_t{1} << 20), "1.00 MB");
  EXPECT_EQ(FormatSize((int64_t{5} << 20) + (int64_t{1} << 19)), "5.50 MB");
  EXPECT_EQ(FormatSize((int64_t{1} << 30) - 1), "1024.00 MB");
  EXPECT_EQ(FormatSize(int64_t{1} << 30), "1.00 GB");
  EXPECT_EQ(FormatSize((int64_t{1} << 40) - 1), "1024.00 GB");
  EXPECT_EQ(FormatSize(int64_t{1} << 40), "1.00 TB");
  EXPECT_EQ(FormatSize((int64_t{3} << 40) + (int64_t{1} << 38)), "3.25 TB");
  EXPECT_EQ(FormatSize(int64_t{1} << 50), "1024.00 TB");
}

TEST(FormatSize, ShowsNegativeSizesAsBytes) {
  EXPECT_EQ(FormatSize(-1), "-1 Bytes");
  EXPECT_EQ(FormatSize(-4096), "-4096 Bytes");
  EXPECT_EQ(FormatSize(INT64_MIN), "-9223372036854775808 Bytes");
}

}  // namespace
}  // namespace zbe
