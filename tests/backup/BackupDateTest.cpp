#include "backup/BackupDate.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

TEST(ConvertBackupDate, SubtractsTheBaseBias) {
  EXPECT_EQ(ConvertBackupDate("2020-01-31 23:10:05", 0), "2020-01-31 23:10:05");
  // One hour east of UTC: the next day.
  EXPECT_EQ(ConvertBackupDate("2020-01-31 23:10:05", -60), "2020-02-01 00:10:05");
  EXPECT_EQ(ConvertBackupDate("2020-01-31 23:10:05", 300), "2020-01-31 18:10:05");
  EXPECT_EQ(ConvertBackupDate("2020-03-01 00:30:00", 60), "2020-02-29 23:30:00");
}

TEST(ConvertBackupDate, ReadsNumbersAsAtoiDoes) {
  EXPECT_EQ(ConvertBackupDate("2020-1-2 3:4:5", 0), "2020-01-02 03:04:05");
  EXPECT_EQ(ConvertBackupDate("2021-12-03 19:33:13.250", 0), "2021-12-03 19:33:13");
  // Out-of-range fields carry over, as the calendar conversion does.
  EXPECT_EQ(ConvertBackupDate("2020-12-31 23:59:60", 0), "2021-01-01 00:00:00");
}

TEST(ConvertBackupDate, GivesNothingWithoutItsSeparators) {
  EXPECT_EQ(ConvertBackupDate("20200131 231005", 0), "");
  EXPECT_EQ(ConvertBackupDate("2020-01-31", 0), "");
  EXPECT_EQ(ConvertBackupDate("2020-01-31 23:10", 0), "");
  EXPECT_EQ(ConvertBackupDate("", 0), "");
  EXPECT_EQ(ConvertBackupDate("yesterday", 0), "");
}

// Found by fuzzing: a month of -2147483648 overflowed the month arithmetic (undefined
// behaviour; in practice a date of 1969 or garbage).
TEST(ConvertBackupDate, GivesNothingForNumbersNoCalendarCarries) {
  EXPECT_EQ(ConvertBackupDate("2020--2147483648-01 00:00:00", 0), "");
  EXPECT_EQ(ConvertBackupDate("2020-01-2147483647 00:00:00", 0), "");
  EXPECT_EQ(ConvertBackupDate("2020-01-01 00:00:-2147483648", 0), "");
}

}  // namespace
}  // namespace zbe
