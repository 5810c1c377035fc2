#include "records/SqliteDatabase.h"

#include <sqlite3.h>

#include <cstdio>

#include "platform/FileSystem.h"

namespace zbe {

std::string SqliteReadOnlyUri(const std::string& path) {
  std::string uri = "file:";
  // Behind an empty authority an absolute path may begin with "//" without being read as a
  // host name.
  if (!path.empty() && path[0] == '/') {
    uri += "//";
  }
  for (char c : path) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '%' || c == '?' || c == '#' || byte < 0x20 || byte == 0x7F) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    } else {
      uri += c;
    }
  }
  uri += "?immutable=1";
  return uri;
}

SqliteDatabase::~SqliteDatabase() {
  Close();
}

Result SqliteDatabase::Open(const std::string& path) {
  Close();
  // SQLite opens whatever stands at the path, and its first read of a FIFO would wait for ever.
  if (UniqueFd probe; OpenRegularFile(path, probe) != 0) {
    return Result::Sqlite(SQLITE_CANTOPEN);
  }
  sqlite3* db = nullptr;
  int result = sqlite3_open_v2(SqliteReadOnlyUri(path).c_str(), &db,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  if (result != SQLITE_OK) {
    // sqlite3_open_v2 hands out a handle even when it fails; it must still be closed.
    sqlite3_close(db);
    return Result::Sqlite(result);
  }
  db_ = db;
  return Result::Ok();
}

Result SqliteDatabase::Exec(const std::string& sql, const RowCallback& onRow,
                            std::string* errorMessage) {
  if (db_ == nullptr) {
    if (errorMessage != nullptr) {
      *errorMessage = "no database is open";
    }
    return Result::Sqlite(SQLITE_MISUSE);
  }
  auto trampoline = [](void* context, int columnCount, char** values, char** names) -> int {
    const auto* callback = static_cast<const RowCallback*>(context);
    return (*callback)(columnCount, values, names);
  };
  char* message = nullptr;
  int result = sqlite3_exec(db_, sql.c_str(), onRow ? +trampoline : nullptr,
                            const_cast<RowCallback*>(&onRow), &message);
  if (errorMessage != nullptr) {
    *errorMessage = message != nullptr ? message : "";
  }
  sqlite3_free(message);
  return Result::Sqlite(result);
}

void SqliteDatabase::Close() {
  if (db_ != nullptr) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

}  // namespace zbe
