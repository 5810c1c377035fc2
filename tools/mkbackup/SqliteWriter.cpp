#include "tools/mkbackup/SqliteWriter.h"

#include <sqlite3.h>

namespace zbe::mkbackup {

SqlStatement::SqlStatement(SqliteWriter& writer, const std::string& sql) : writer_(writer) {
  if (sqlite3_prepare_v2(writer.handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
    writer.Fail("cannot prepare \"" + sql + "\"");
  }
}

SqlStatement::~SqlStatement() {
  sqlite3_finalize(statement_);
}

void SqlStatement::Run(const std::vector<SqlValue>& values) {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  int index = 1;
  for (const SqlValue& value : values) {
    switch (value.kind()) {
      case SqlValue::Kind::kNull:
        sqlite3_bind_null(statement_, index);
        break;
      case SqlValue::Kind::kInteger:
        sqlite3_bind_int64(statement_, index, value.integer());
        break;
      case SqlValue::Kind::kReal:
        sqlite3_bind_double(statement_, index, value.real());
        break;
      case SqlValue::Kind::kText:
        sqlite3_bind_text(statement_, index, value.bytes().data(),
                          static_cast<int>(value.bytes().size()), SQLITE_TRANSIENT);
        break;
      case SqlValue::Kind::kBlob:
        sqlite3_bind_blob(statement_, index, value.bytes().data(),
                          static_cast<int>(value.bytes().size()), SQLITE_TRANSIENT);
        break;
    }
    ++index;
  }
  if (sqlite3_step(statement_) != SQLITE_DONE) {
    writer_.Fail("cannot run \"" + std::string(sqlite3_sql(statement_)) + "\"");
  }
}

SqliteWriter::SqliteWriter() {
  if (sqlite3_open(":memory:", &db_) != SQLITE_OK) {
    Fail("cannot create an in-memory database");
  }
}

SqliteWriter::~SqliteWriter() {
  sqlite3_close(db_);
}

void SqliteWriter::Exec(std::string_view sql) {
  if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    Fail("cannot run \"" + std::string(sql.substr(0, 200)) + "\"");
  }
}

std::string SqliteWriter::Bytes() {
  sqlite3_int64 size = 0;
  unsigned char* data = sqlite3_serialize(db_, "main", &size, 0);
  if (data == nullptr) {
    Fail("cannot serialize the database");
  }
  std::string bytes(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  sqlite3_free(data);
  return bytes;
}

void SqliteWriter::Fail(const std::string& what) {
  throw SqlWriteError(what + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
}

}  // namespace zbe::mkbackup
