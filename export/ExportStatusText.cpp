#include "export/ExportStatusText.h"

#include <locale.h>

#include <cstring>

#include "records/ResultCodes.h"

namespace zbe {
namespace {

// SQLite's result code of an open that failed (stored databases are opened read-only, so a
// missing one gives it).
constexpr int32_t kSqliteCantOpen = 14;

// The C locale, made once; strerror_l with it is thread-safe and never translated.
locale_t CLocale() {
  static const locale_t kLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return kLocale;
}

}  // namespace

std::string ExportStatusText(int32_t errorCode) {
  switch (errorCode) {
    case kResultOk:
      return "Success";
    case kResultWrongPassword:
      return "The backup password is wrong";
    case kResultMissingFile:
      return "A needed file is missing or could not be opened";
    case kResultQueryFailed:
      return "A database query failed";
    case kResultMbdbNotOpenable:
      return "The backup's manifest could not be opened";
    case kSqliteCantOpen:
      return "A database could not be opened";
    default:
      break;
  }
  locale_t locale = CLocale();
  if (locale == static_cast<locale_t>(nullptr)) {
    return "Error " + std::to_string(errorCode);
  }
  return strerror_l(errorCode, locale);
}

}  // namespace zbe
