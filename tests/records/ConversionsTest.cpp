#include "records/Conversions.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/TestFiles.h"

namespace zbe {
namespace {

TEST(IntFromColumn, ReadsSignAndLeadingDigits) {
  EXPECT_EQ(IntFromColumn(nullptr), 0);
  EXPECT_EQ(IntFromColumn("42"), 42);
  EXPECT_EQ(IntFromColumn("12.7"), 12);
  EXPECT_EQ(IntFromColumn("59.9"), 59);
  EXPECT_EQ(IntFromColumn("-3abc"), -3);
  EXPECT_EQ(IntFromColumn("+8"), 8);
  EXPECT_EQ(IntFromColumn("  \t17"), 17);
  EXPECT_EQ(IntFromColumn("abc"), 0);
  EXPECT_EQ(IntFromColumn(""), 0);
  EXPECT_EQ(IntFromColumn("1e5"), 1);
}

TEST(IntFromColumn, ClampsToTheIntegerRange) {
  EXPECT_EQ(IntFromColumn("2147483647"), INT_MAX);
  EXPECT_EQ(IntFromColumn("2147483648"), INT_MAX);
  EXPECT_EQ(IntFromColumn("-2147483648"), INT_MIN);
  EXPECT_EQ(IntFromColumn("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(IntFromColumn("-99999999999999999999999"), INT_MIN);
}

TEST(TextFromColumn, KeepsTextAndRepairsBrokenBytes) {
  EXPECT_EQ(TextFromColumn(nullptr), "");
  EXPECT_EQ(TextFromColumn(" "), " ");
  // Characters outside the Basic Multilingual Plane come through unchanged.
  EXPECT_EQ(TextFromColumn("hi \xF0\x9F\x98\x80"), "hi \xF0\x9F\x98\x80");
  EXPECT_EQ(TextFromColumn("bad\xFF"), "bad\xEF\xBF\xBD");
}

TEST(DateText, HasTheFixedZeroPaddedForm) {
  EXPECT_EQ(FormatDateText(2020, 2, 1, 0, 10, 5), "2020-02-01 00:10:05");
  EXPECT_EQ(FormatDateText(999, 1, 1, 1, 1, 1), "0999-01-01 01:01:01");
  EXPECT_TRUE(IsDateText("2020-02-01 00:10:05"));
  EXPECT_FALSE(IsDateText("2020-02-01T00:10:05"));
  EXPECT_FALSE(IsDateText("2020-2-01 00:10:05"));
  EXPECT_FALSE(IsDateText(""));
}

TEST(DateText, OrdersLikeTheDates) {
  EXPECT_LT(UtcDateText(1000), UtcDateText(1001));
  EXPECT_LT(UtcDateText(86399), UtcDateText(86400));
}

TEST(DateText, FromSecondsInUtcAndLocalTime) {
  EXPECT_EQ(UtcDateText(1580512205), "2020-01-31 23:10:05");
  test::ScopedEnv tz("TZ", "XXX-1");
  EXPECT_EQ(LocalDateText(1580512205), "2020-02-01 00:10:05");
  EXPECT_EQ(UtcDateText(1580512205), "2020-01-31 23:10:05");
}

}  // namespace
}  // namespace zbe
