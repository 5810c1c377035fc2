#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// iOS databases count dates in seconds since the reference date 2001-01-01 00:00:00 UTC.
// This is that instant in seconds since 1970-01-01 00:00:00 UTC.
inline constexpr int64_t kReferenceDateOffset = 978307200;

// The local date text (see records/Conversions.h) of a column holding seconds since the
// reference date: its integer part as IntFromColumn reads it, shifted to 1970 in 64-bit
// arithmetic, in the computer's time zone (TZ honoured). "" for NULL, or when the instant cannot
// be represented. Instants before 1970 are formatted like any other.
std::string LocalDateFromReferenceSeconds(const char* value);

}  // namespace zbe
