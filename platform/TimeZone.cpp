#include "platform/TimeZone.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>

namespace zbe {
namespace {

// tzset() and the "timezone" variable it fills are process-wide; serialise their use.
struct TimeZoneState {
  std::mutex mutex;
  bool set = false;                   // tzset() has run
  std::optional<std::string> lastTz;  // the TZ it ran with (none: unset)
};

TimeZoneState& State() {
  static TimeZoneState state;
  return state;
}

// Runs tzset() when TZ differs from the last run. Every call of tzset() looks at the zone file
// again, which made it most of the cost of a date: a scan converts hundreds of thousands.
// Call with the state's mutex held.
void SetTimeZoneIfChanged(TimeZoneState& state) {
  const char* tz = std::getenv("TZ");
  std::optional<std::string> current;
  if (tz != nullptr) {
    current = tz;
  }
  if (!state.set || current != state.lastTz) {
    tzset();
    state.set = true;
    state.lastTz = std::move(current);
  }
}

}  // namespace

int32_t TimeZoneBaseBiasMinutes() {
  TimeZoneState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  SetTimeZoneIfChanged(state);
  return static_cast<int32_t>(timezone / 60);
}

bool ToLocalTime(int64_t seconds, std::tm& local) {
  std::time_t value = static_cast<std::time_t>(seconds);
  TimeZoneState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  SetTimeZoneIfChanged(state);
  return localtime_r(&value, &local) != nullptr;
}

bool ToUtcTime(int64_t seconds, std::tm& utc) {
  std::time_t value = static_cast<std::time_t>(seconds);
  return gmtime_r(&value, &utc) != nullptr;
}

int64_t FromUtcTime(std::tm utc) {
  return static_cast<int64_t>(timegm(&utc));
}

}  // namespace zbe
