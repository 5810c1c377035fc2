#include "tools/crypto/SqliteHandles.h"

#include <filesystem>
#include <system_error>

#include "tools/crypto/CryptoResult.h"
#include "tools/crypto/FileIo.h"

namespace zbe::crypto {

namespace {

// The path part of a "file:" URI: characters with a meaning in URIs are percent-encoded.
std::string FileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (unsigned char c : path) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
      uri.push_back('%');
      uri.push_back(kHex[c >> 4]);
      uri.push_back(kHex[c & 0xF]);
    } else {
      uri.push_back(static_cast<char>(c));
    }
  }
  return uri;
}

}  // namespace

int OpenDatabaseReadOnly(const std::string& path, UniqueSqlite* db) {
  db->reset();
  std::error_code ec;
  const std::string full = std::filesystem::absolute(path, ec).string();
  if (ec || path.empty()) {
    return SQLITE_CANTOPEN;
  }
  // SQLite opens whatever stands at the path, and its first read of a FIFO would wait for ever.
  if (UniqueFd probe; OpenForReading(full, &probe) != kOk) {
    return SQLITE_CANTOPEN;
  }
  sqlite3* raw = nullptr;
  // An empty authority ("file://" + absolute path) keeps a path beginning with "//" a path.
  const std::string uri = "file://" + FileUri(full) + "?immutable=1";
  int rc = sqlite3_open_v2(uri.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  UniqueSqlite owned(raw);
  if (rc != SQLITE_OK) {
    return rc;
  }
  *db = std::move(owned);
  return SQLITE_OK;
}

int Prepare(sqlite3* db, const char* sql, UniqueStatement* stmt) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  stmt->reset(raw);
  return rc;
}

}  // namespace zbe::crypto
