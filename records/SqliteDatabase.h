#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "records/Result.h"

struct sqlite3;

namespace zbe {

// A database stored inside a backup, opened the only way the program opens one: read-only and
// immutable through SQLite's URI form. A missing file is never created (the open fails with
// SQLITE_CANTOPEN, 14), nothing is written beside the file (no journal, no -wal or -shm), and
// the database is not locked. Every reader of stored databases goes through this class.
class SqliteDatabase {
 public:
  // Receives one result row: the number of columns, the column values as text (a null pointer
  // for NULL) and the column names, all valid only during the call. Answers 0 to go on; any
  // other answer stops the query, which then returns SQLITE_ABORT (4).
  using RowCallback = std::function<int(int columnCount, char** values, char** names)>;

  SqliteDatabase() = default;
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Opens the database file at "path" (UTF-8, any characters), closing one opened before.
  // Returns success or SQLite's result code of the failed open; the object is then closed.
  // Anything but a regular file (links followed) gives SQLITE_CANTOPEN without being read, as a
  // missing file does: a FIFO, a socket, a device or a folder.
  // A file that is not a database opens without error; its first query fails (SQLITE_NOTADB).
  Result Open(const std::string& path);

  // Runs "sql" (one or more statements) and hands every row to "onRow" (may be empty).
  // Returns success, or SQLite's code: SQLITE_ABORT when "onRow" stopped it, SQLITE_MISUSE (21)
  // when no database is open, or the query's error; then the error text goes to "errorMessage"
  // when it is given.
  Result Exec(const std::string& sql, const RowCallback& onRow,
              std::string* errorMessage = nullptr);

  bool isOpen() const { return db_ != nullptr; }

  // The open connection (null when none is open), for the few readers that need SQLite's
  // statement or backup functions (blob columns). It stays owned by this object.
  sqlite3* handle() const { return db_; }

  void Close();

 private:
  sqlite3* db_ = nullptr;
};

// The URI under which "path" is opened: "file:" with '%', '?' and '#' (and control bytes)
// percent-encoded, an absolute path behind an empty authority ("file:///..."), and the
// parameter "immutable=1".
std::string SqliteReadOnlyUri(const std::string& path);

}  // namespace zbe
