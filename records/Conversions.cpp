#include "records/Conversions.h"

#include <cstdio>
#include <ctime>
#include <limits>

#include "platform/TimeZone.h"
#include "platform/Utf8.h"

namespace zbe {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string DateTextOf(const std::tm& time) {
  return FormatDateText(time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour,
                        time.tm_min, time.tm_sec);
}

}  // namespace

std::string TextFromColumn(const char* value) {
  return value == nullptr ? std::string() : RepairUtf8(value);
}

std::string BytesFromHexColumn(const char* value) {
  if (value == nullptr) {
    return {};
  }
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') {
      return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
      return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
      return c - 'a' + 10;
    }
    return -1;
  };
  std::string_view hex(value);
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    int high = digit(hex[i]);
    int low = digit(hex[i + 1]);
    if (high < 0 || low < 0) {
      return {};
    }
    bytes += static_cast<char>(high << 4 | low);
  }
  return hex.size() % 2 == 0 ? bytes : std::string();
}

int32_t IntFromColumn(const char* value) {
  return value == nullptr ? 0 : LeadingInteger(value);
}

int32_t LeadingInteger(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (magnitude <= kLimit) {
      magnitude = magnitude * 10 + (text[pos] - '0');
    }
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                               : static_cast<int32_t>(-magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                             : static_cast<int32_t>(magnitude);
}

std::string FormatDateText(int year, int month, int day, int hour, int minute, int second) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                minute, second);
  return buffer;
}

bool IsDateText(std::string_view text) {
  static constexpr std::string_view kPattern = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kPattern.size()) {
    return false;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] == 'd' ? !IsDigit(text[i]) : text[i] != kPattern[i]) {
      return false;
    }
  }
  return true;
}

std::string UtcDateText(int64_t seconds) {
  std::tm time{};
  return ToUtcTime(seconds, time) ? DateTextOf(time) : std::string();
}

std::string LocalDateText(int64_t seconds) {
  std::tm time{};
  return ToLocalTime(seconds, time) ? DateTextOf(time) : std::string();
}

}  // namespace zbe
