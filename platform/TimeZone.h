#pragma once

#include <cstdint>
#include <ctime>

namespace zbe {

// The system time zone's base bias: minutes west of UTC in standard time (so -60 for a zone one
// hour east of UTC), without the daylight-saving part. Honours TZ as it is at the call.
int32_t TimeZoneBaseBiasMinutes();

// Breaks "seconds" since 1970 into local time (TZ honoured as it is at the call; a change of the
// zone file itself is seen only when TZ changes). Returns false when it cannot be represented.
bool ToLocalTime(int64_t seconds, std::tm& local);

// Breaks "seconds" since 1970 into UTC. Returns false when it cannot be represented.
bool ToUtcTime(int64_t seconds, std::tm& utc);

// Seconds since 1970 of the UTC calendar time in "utc"; out-of-range fields are carried over as
// timegm does (month 13 is January of the next year).
int64_t FromUtcTime(std::tm utc);

}  // namespace zbe
