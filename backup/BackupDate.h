#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zbe {

// Converts a backup date text "year-month-day hour:minute:second", taken as UTC, to the text
// "%Y-%m-%d %H:%M:%S" of that moment minus "biasMinutes" (the zone's base bias, minutes west of
// UTC; daylight saving is not applied). The numbers are read as atoi reads them, the month after
// the first "-", the day after the next "-", the hour after the next blank and the minute and
// second after the next ":" each; numbers beyond their ranges carry over as the calendar does.
// Returns "" when a separator is missing, the year is outside 1 to 9999, another number lies
// beyond +-1,000,000, or the date cannot be represented; callers then keep the text as written.
std::string ConvertBackupDate(std::string_view text, int32_t biasMinutes);

}  // namespace zbe
