#include "platform/TimeZone.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;

TEST(TimeZoneBaseBias, IsMinutesWestOfUtcFromTZ) {
  {
    ScopedEnv tz("TZ", "UTC");
    EXPECT_EQ(TimeZoneBaseBiasMinutes(), 0);
  }
  {
    ScopedEnv tz("TZ", "XXX-1");  // one hour east of UTC
    EXPECT_EQ(TimeZoneBaseBiasMinutes(), -60);
  }
  {
    ScopedEnv tz("TZ", "XXX-5:30");
    EXPECT_EQ(TimeZoneBaseBiasMinutes(), -330);
  }
}

TEST(TimeZoneBaseBias, LeavesDaylightSavingOut) {
  ScopedEnv tz("TZ", "EST5EDT,M3.2.0,M11.1.0");
  EXPECT_EQ(TimeZoneBaseBiasMinutes(), 300);
}

TEST(LocalTime, FollowsTZ) {
  std::tm local{};
  {
    ScopedEnv tz("TZ", "XXX-2");
    ASSERT_TRUE(ToLocalTime(0, local));
    EXPECT_EQ(local.tm_hour, 2);
  }
  {
    ScopedEnv tz("TZ", "XXX5");
    ASSERT_TRUE(ToLocalTime(0, local));
    EXPECT_EQ(local.tm_hour, 19);
    EXPECT_EQ(local.tm_mday, 31);
  }
}

TEST(UtcTime, RoundTripsAndCarriesOverflowingFields) {
  std::tm utc{};
  utc.tm_year = 2020 - 1900;
  utc.tm_mon = 12;  // month 13: January of the next year
  utc.tm_mday = 1;
  int64_t seconds = FromUtcTime(utc);
  std::tm back{};
  ASSERT_TRUE(ToUtcTime(seconds, back));
  EXPECT_EQ(back.tm_year, 2021 - 1900);
  EXPECT_EQ(back.tm_mon, 0);
  EXPECT_EQ(seconds, 1609459200);
}

}  // namespace
}  // namespace zbe
