#include "platform/TimeZone.h"

#include <mutex>

namespace zbe {
namespace {

// tzset() and the "timezone" variable it fills are process-wide; serialise their use.
std::mutex& TimeZoneMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

int32_t TimeZoneBaseBiasMinutes() {
  std::lock_guard<std::mutex> lock(TimeZoneMutex());
  tzset();
  return static_cast<int32_t>(timezone / 60);
}

bool ToLocalTime(int64_t seconds, std::tm& local) {
  std::time_t value = static_cast<std::time_t>(seconds);
  std::lock_guard<std::mutex> lock(TimeZoneMutex());
  tzset();
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
