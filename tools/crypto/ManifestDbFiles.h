#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <sqlite3.h>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

struct MbFile;

// Values of the "flags" column of the Files table.
inline constexpr int64_t kFilesFlagFile = 1;
inline constexpr int64_t kFilesFlagFolder = 2;
inline constexpr int64_t kFilesFlagLink = 4;

// One row of the Files table of Manifest.db. NULL columns are empty optionals.
struct ManifestDbRow {
  int64_t rowId = 0;
  std::string fileId;  // "" when NULL
  std::optional<std::string> domain;
  std::optional<std::string> relativePath;
  std::optional<int64_t> flags;
  std::optional<Bytes> file;  // the MBFile archive
  // The "file" column holds text: the scheme of iOS 10.0, whose per-row metadata is encrypted
  // with a weaker key of its own. Not supported.
  bool fileIsText = false;
};

// Calls "visit" for every row of the Files table, in table order; a non-zero answer stops the
// walk and is returned. Returns kOk, kDatabaseError when the table cannot be read (no Files
// table, or not a database), or the visitor's answer.
Result ForEachFilesRow(sqlite3* db, const std::function<Result(const ManifestDbRow&)>& visit);

// Whether a row stands for a regular file that has content: flags 1; or, when the flags name
// neither a folder nor a link (0 in some archives, 16 in early iOS 10 rows), an archive whose
// Mode says regular file, or that has no Mode but an EncryptionKey. "archive" is the row's
// parsed archive, or null when there is none.
bool IsRegularFileRow(const ManifestDbRow& row, const MbFile* archive);

}  // namespace zbe::crypto
