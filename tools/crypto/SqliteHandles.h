#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <sqlite3.h>

namespace zbe::crypto {

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
// Owns a database connection the library opened itself: the in-memory copy it changes and
// writes out. Stored databases are opened read-only through records/SqliteDatabase.
using UniqueSqlite = std::unique_ptr<sqlite3, SqliteCloser>;
// Owns a prepared statement; finalize it before its connection closes.
using UniqueStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares "sql" on "db". Returns SQLITE_OK or SQLite's error code.
int Prepare(sqlite3* db, const char* sql, UniqueStatement* stmt);

}  // namespace zbe::crypto
