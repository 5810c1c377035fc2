#include "export/ExportStatusText.h"

#include "records/ResultCodes.h"

namespace zbe {
namespace {

// SQLite's result code of an open that failed (stored databases are opened read-only, so a
// missing one gives it).
constexpr int32_t kSqliteCantOpen = 14;

}  // namespace

std::string ExportStatusText(int32_t errorCode) {
  for (const ResultCode& own : {kWrongPassword, kMissingFile, kQueryFailed, kMbdbNotOpenable}) {
    if (own.value == errorCode) {
      return Result(own).Text();
    }
  }
  if (errorCode == kSqliteCantOpen) {
    return Result::Sqlite(errorCode).Text();
  }
  return Result::System(errorCode).Text();
}

}  // namespace zbe
