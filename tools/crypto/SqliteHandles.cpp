#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {

int Prepare(sqlite3* db, const char* sql, UniqueStatement* stmt) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  stmt->reset(raw);
  return rc;
}

}  // namespace zbe::crypto
