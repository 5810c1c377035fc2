#include "backup/BackupDate.h"

#include <ctime>

#include "platform/TimeZone.h"
#include "records/Conversions.h"

namespace zbe {
namespace {

constexpr int kMaxCarriedField = 1000000;

}  // namespace

std::string ConvertBackupDate(std::string_view text, int32_t biasMinutes) {
  int fields[6] = {};
  fields[0] = LeadingInteger(text);
  static constexpr char kSeparators[5] = {'-', '-', ' ', ':', ':'};
  size_t pos = 0;
  for (int i = 0; i < 5; ++i) {
    pos = text.find(kSeparators[i], i == 0 ? 0 : pos + 1);
    if (pos == std::string_view::npos) {
      return {};
    }
    fields[i + 1] = LeadingInteger(text.substr(pos + 1));
  }
  // Years far outside any backup's lifetime cannot be carried through the calendar functions,
  // nor can the other numbers far beyond their ranges (they would overflow its fields); within
  // these bounds out-of-range numbers carry over (second 60 is the next minute).
  if (fields[0] < 1 || fields[0] > 9999) {
    return {};
  }
  for (int i = 1; i < 6; ++i) {
    if (fields[i] < -kMaxCarriedField || fields[i] > kMaxCarriedField) {
      return {};
    }
  }
  std::tm utc{};
  utc.tm_year = fields[0] - 1900;
  utc.tm_mon = fields[1] - 1;
  utc.tm_mday = fields[2];
  utc.tm_hour = fields[3];
  utc.tm_min = fields[4];
  utc.tm_sec = fields[5];
  int64_t seconds = FromUtcTime(utc) - static_cast<int64_t>(biasMinutes) * 60;
  std::tm shifted{};
  if (!ToUtcTime(seconds, shifted)) {
    return {};
  }
  char buffer[64];
  if (std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &shifted) == 0) {
    return {};
  }
  return buffer;
}

}  // namespace zbe
