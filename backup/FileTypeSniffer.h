#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zbe {

// Media files are typed by their first bytes, never by their names: a backup keeps the names a
// device gave its files, and those lie (a ".HEIC" attachment may hold a JPEG).

// How many leading bytes the tests look at; shorter files are never recognised.
inline constexpr size_t kSniffBytes = 512;

// The type code a test answers when the bytes do not match.
inline constexpr int32_t kNoFileType = 48;

// The result of SniffFileType for a file shorter than kSniffBytes or one that cannot be read.
inline constexpr int32_t kSniffReadFailed = 30;

// The type code of HEIF images (named "heic"), whose preview is converted (backup/HeicPreview.h).
inline constexpr int32_t kHeifTypeCode = 32;

// One row of the detection table: the extension that names a file of this type, its type code
// and the test. A test gets kSniffBytes bytes and answers "code" or kNoFileType.
struct FileTypeSnifferRow {
  std::string_view extension;
  int32_t code;
  int32_t (*test)(const uint8_t* head);
};

// The detection table, tried in order. Several rows share a test and a code; the first row with
// a code names the type (so a "wma" file is named "wmv" and an "mpg" file "mpeg"). The last row
// recognises HEIF ("heic") photos, which modern iPhones take by default.
const std::array<FileTypeSnifferRow, 21>& FileTypeSniffer();

// The type code of "head" (kSniffBytes bytes): that of the first row whose test matches, or
// kNoFileType.
int32_t SniffTypeCode(const uint8_t* head);

// The extension of the first row with "code" ("" for kNoFileType or an unknown code).
std::string_view ExtensionOfTypeCode(int32_t code);

// Types the stored file at "path" by its first kSniffBytes bytes. "name" is emptied first; when
// a row matches it becomes the decimal "counter", ".", and the row's extension (for example
// "7.jpg"), and "counter" is incremented; otherwise "name" is left empty. Only the extension of
// "name" matters to callers; the counter keeps the names of one walk distinct. Returns 0 (whether
// or not the type was recognised); the errno when the file cannot be opened; kSniffReadFailed when
// it is not a regular file, is shorter than kSniffBytes or cannot be read. Only reads.
int32_t SniffFileType(const std::string& path, std::string& name, int64_t& counter);

// What SniffStoredFile learnt of a stored file besides its name.
struct SniffedFile {
  int32_t result = 0;    // as SniffFileType returns
  bool present = false;  // a look-up by path finds it (what PathExists would answer)
  uint64_t size = 0;     // its size, when it is a regular file (0 otherwise)
};

// SniffFileType (same "name", "counter" and result), which also tells from the one open whether
// the file is there and how large it is: a media walk looks at tens of thousands of stored files,
// and a path look-up each for "is it there" and "how large" cost more than the sniffing.
SniffedFile SniffStoredFile(const std::string& path, int64_t& counter, std::string& name);

}  // namespace zbe
