#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zbe::mkbackup {

// One value bound to a statement: NULL, an integer, a real, a text or a blob.
class SqlValue {
 public:
  enum class Kind { kNull, kInteger, kReal, kText, kBlob };

  SqlValue() = default;  // NULL
  SqlValue(std::nullptr_t) {}
  SqlValue(int value) : kind_(Kind::kInteger), integer_(value) {}
  SqlValue(int64_t value) : kind_(Kind::kInteger), integer_(value) {}
  SqlValue(double value) : kind_(Kind::kReal), real_(value) {}
  SqlValue(const char* text) : kind_(Kind::kText), bytes_(text) {}
  SqlValue(std::string text) : kind_(Kind::kText), bytes_(std::move(text)) {}
  // NULL when absent, else the text.
  SqlValue(const std::optional<std::string>& text)
      : kind_(text ? Kind::kText : Kind::kNull), bytes_(text.value_or("")) {}
  static SqlValue Blob(std::string bytes) {
    SqlValue value(std::move(bytes));
    value.kind_ = Kind::kBlob;
    return value;
  }

  Kind kind() const { return kind_; }
  int64_t integer() const { return integer_; }
  double real() const { return real_; }
  const std::string& bytes() const { return bytes_; }

 private:
  Kind kind_ = Kind::kNull;
  int64_t integer_ = 0;
  double real_ = 0;
  std::string bytes_;
};

// Thrown when a statement of a generator fails: the generators run fixed SQL, so this is a fault
// of the program, reported with SQLite's message.
class SqlWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SqliteWriter;

// A prepared statement run once per row. Not copyable.
class SqlStatement {
 public:
  SqlStatement(SqliteWriter& writer, const std::string& sql);
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  // Binds "values" to the parameters in order and runs the statement. Throws SqlWriteError.
  void Run(const std::vector<SqlValue>& values);

 private:
  SqliteWriter& writer_;
  sqlite3_stmt* statement_ = nullptr;
};

// A database built in memory by a sample generator; its bytes become a stored file of the
// backup. Not copyable.
class SqliteWriter {
 public:
  // An empty in-memory database. Throws SqlWriteError.
  SqliteWriter();
  ~SqliteWriter();
  SqliteWriter(const SqliteWriter&) = delete;
  SqliteWriter& operator=(const SqliteWriter&) = delete;

  // Runs one or more statements without parameters (schema, transactions). Throws SqlWriteError.
  void Exec(std::string_view sql);

  // The bytes of the database file as it stands (a complete SQLite file, journal mode DELETE).
  std::string Bytes();

  sqlite3* handle() { return db_; }
  // Throws SqlWriteError with "what" and SQLite's last message.
  [[noreturn]] void Fail(const std::string& what);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace zbe::mkbackup
