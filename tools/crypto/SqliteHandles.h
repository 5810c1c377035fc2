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
// Owns a database connection.
using UniqueSqlite = std::unique_ptr<sqlite3, SqliteCloser>;
// Owns a prepared statement; finalize it before its connection closes.
using UniqueStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens the database file "path" read-only and immutable, so that SQLite never creates,
// changes or locks anything beside it (no journal, no WAL files). Returns SQLITE_OK, or SQLite's
// error code (SQLITE_CANTOPEN for a missing file, which is never created, and for anything that
// is not a regular file, which is never read).
int OpenDatabaseReadOnly(const std::string& path, UniqueSqlite* db);

// Prepares "sql" on "db". Returns SQLITE_OK or SQLite's error code.
int Prepare(sqlite3* db, const char* sql, UniqueStatement* stmt);

}  // namespace zbe::crypto
