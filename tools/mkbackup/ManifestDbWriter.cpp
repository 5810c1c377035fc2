#include "tools/mkbackup/ManifestDbWriter.h"

#include <sqlite3.h>

#include <memory>

#include "tools/mkbackup/FileProperties.h"

namespace zbe::mkbackup {
namespace {

struct DatabaseCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

constexpr const char* kSchema =
    "CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags INTEGER, "
    "file BLOB);"
    "CREATE INDEX FilesDomainIdx ON Files(domain);"
    "CREATE INDEX FilesRelativePathIdx ON Files(relativePath);"
    "CREATE INDEX FilesFlagsIdx ON Files(flags);"
    "CREATE TABLE Properties (key TEXT PRIMARY KEY, value BLOB);";

}  // namespace

int32_t WriteManifestDb(const std::string& path, const std::vector<StoredFile>& files,
                        std::string& error) {
  sqlite3* raw = nullptr;
  int result =
      sqlite3_open_v2(path.c_str(), &raw,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE, nullptr);
  std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
  auto fail = [&](int code) {
    error = "cannot write " + path + ": " + sqlite3_errmsg(db.get());
    return code;
  };
  if (result != SQLITE_OK) {
    return fail(result);
  }
  result = sqlite3_exec(db.get(), "BEGIN;", nullptr, nullptr, nullptr);
  if (result == SQLITE_OK) {
    result = sqlite3_exec(db.get(), kSchema, nullptr, nullptr, nullptr);
  }
  if (result != SQLITE_OK) {
    return fail(result);
  }
  sqlite3_stmt* rawStatement = nullptr;
  result = sqlite3_prepare_v2(db.get(), "INSERT INTO Files VALUES (?, ?, ?, ?, ?);", -1,
                              &rawStatement, nullptr);
  std::unique_ptr<sqlite3_stmt, StatementFinalizer> insert(rawStatement);
  if (result != SQLITE_OK) {
    return fail(result);
  }
  for (const StoredFile& file : files) {
    std::string fileID = file.fileID();
    std::string properties = ArchivedFileProperties(file);
    sqlite3_reset(insert.get());
    sqlite3_bind_text(insert.get(), 1, fileID.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 2, file.domain.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 3, file.relativePath.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 4, file.flags());
    sqlite3_bind_blob(insert.get(), 5, properties.data(), static_cast<int>(properties.size()),
                      SQLITE_TRANSIENT);
    result = sqlite3_step(insert.get());
    if (result != SQLITE_DONE) {
      return fail(result);
    }
  }
  insert.reset();
  result = sqlite3_exec(db.get(), "COMMIT;", nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) {
    return fail(result);
  }
  return SQLITE_OK;
}

}  // namespace zbe::mkbackup
