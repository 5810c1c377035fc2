#include "records/Result.h"

#include <locale.h>
#include <sqlite3.h>

#include <cstring>

namespace zbe {
namespace {

// The C locale, made once; strerror_l with it is thread-safe and never translated.
locale_t CLocale() {
  static const locale_t kLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return kLocale;
}

}  // namespace

std::string Result::Text() const {
  switch (kind_) {
    case Kind::kOk:
      return "Success";
    case Kind::kStopped:
      return "Stopped";
    case Kind::kOwn:
      return text_ != nullptr ? text_ : "Error " + std::to_string(code_);
    case Kind::kSqlite:
      // The one SQLite failure that users meet: a stored database that is missing or unreadable.
      if (code_ == SQLITE_CANTOPEN) {
        return "A database could not be opened";
      }
      return std::string("A database reported: ") + sqlite3_errstr(code_);
    case Kind::kSystem:
      break;
  }
  locale_t locale = CLocale();
  if (locale == static_cast<locale_t>(nullptr)) {
    return "Error " + std::to_string(code_);
  }
  return strerror_l(code_, locale);
}

void PrintTo(const Result& result, std::ostream* out) {
  static constexpr const char* kKinds[] = {"ok", "stopped", "own", "sqlite", "system"};
  *out << kKinds[static_cast<int32_t>(result.kind())] << " " << result.code() << " ("
       << result.Text() << ")";
}

}  // namespace zbe
