#include "tools/crypto/ManifestDbFiles.h"

#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {

namespace {

std::optional<std::string> TextColumn(sqlite3_stmt* stmt, int column) {
  if (sqlite3_column_type(stmt, column) == SQLITE_NULL) {
    return std::nullopt;
  }
  const unsigned char* text = sqlite3_column_text(stmt, column);
  const int length = sqlite3_column_bytes(stmt, column);
  return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
}

}  // namespace

Result ForEachFilesRow(sqlite3* db, const std::function<Result(const ManifestDbRow&)>& visit) {
  UniqueStatement stmt;
  if (Prepare(db, "SELECT rowid, fileID, domain, relativePath, flags, file FROM Files", &stmt) !=
      SQLITE_OK) {
    return kDatabaseError;
  }
  for (;;) {
    const int step = sqlite3_step(stmt.get());
    if (step == SQLITE_DONE) {
      return kOk;
    }
    if (step != SQLITE_ROW) {
      return kDatabaseError;
    }
    sqlite3_stmt* s = stmt.get();
    ManifestDbRow row;
    row.rowId = sqlite3_column_int64(s, 0);
    row.fileId = TextColumn(s, 1).value_or("");
    row.domain = TextColumn(s, 2);
    row.relativePath = TextColumn(s, 3);
    if (sqlite3_column_type(s, 4) != SQLITE_NULL) {
      row.flags = sqlite3_column_int64(s, 4);
    }
    const int fileType = sqlite3_column_type(s, 5);
    if (fileType == SQLITE_TEXT) {
      row.fileIsText = true;
    } else if (fileType != SQLITE_NULL) {
      const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(s, 5));
      const int length = sqlite3_column_bytes(s, 5);
      row.file = data == nullptr ? Bytes() : Bytes(data, data + length);
    }
    const Result answer = visit(row);
    if (answer != kOk) {
      return answer;
    }
  }
}

bool IsRegularFileRow(const ManifestDbRow& row, const MbFile* archive) {
  const int64_t flags = row.flags.value_or(0);
  if (flags == kFilesFlagFile) {
    return true;
  }
  if (flags == kFilesFlagFolder || flags == kFilesFlagLink || archive == nullptr) {
    return false;
  }
  if (archive->mode) {
    return archive->IsRegularFile();
  }
  return !archive->encryptionKey.empty();
}

}  // namespace zbe::crypto
