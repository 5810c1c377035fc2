#include "export/Formats.h"

#include <cinttypes>
#include <cstdio>

namespace zbe {
namespace {

std::string Printf(const char* format, auto... values) {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

std::string FormatDuration(int64_t seconds) {
  if (seconds >= 3600) {
    int64_t hours = seconds / 3600;
    return Printf("%" PRId64 " Hour %" PRId64 " Min", hours, (seconds - 3600 * hours) / 60);
  }
  if (seconds >= 60) {
    return Printf("%" PRId64 " Min %" PRId64 " Sec", seconds / 60, seconds % 60);
  }
  return Printf("%" PRId64 " Sec", seconds);
}

std::string FormatSize(int64_t bytes) {
  constexpr int64_t kKiB = int64_t{1} << 10;
  constexpr int64_t kMiB = int64_t{1} << 20;
  constexpr int64_t kGiB = int64_t{1} << 30;
  constexpr int64_t kTiB = int64_t{1} << 40;
  const auto value = static_cast<double>(bytes);
  if (bytes >= kTiB) {
    return Printf("%.2f TB", value / static_cast<double>(kTiB));
  }
  if (bytes >= kGiB) {
    return Printf("%.2f GB", value / static_cast<double>(kGiB));
  }
  if (bytes >= kMiB) {
    return Printf("%.2f MB", value / static_cast<double>(kMiB));
  }
  if (bytes >= kKiB) {
    return Printf("%.2f KB", value / static_cast<double>(kKiB));
  }
  return Printf("%" PRId64 " Bytes", bytes);
}

}  // namespace zbe
