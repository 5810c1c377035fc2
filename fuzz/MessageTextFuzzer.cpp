// The text of messages and notes as the readers take it from a database column: the UTF-8
// repair every text field goes through and the note text decoding.

#include <string>

#include "fuzz/FuzzParts.h"
#include "platform/Utf8.h"
#include "records/Conversions.h"
#include "records/NoteTextDecoding.h"

namespace {

bool IsValidUtf8(const std::string& text) {
  return zbe::RepairUtf8(text) == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A column value as SQLite hands it out: text up to its first zero byte.
  std::string column(reinterpret_cast<const char*>(data), size);
  std::string text = zbe::TextFromColumn(column.c_str());
  ZBE_FUZZ_CHECK(IsValidUtf8(text));
  ZBE_FUZZ_CHECK(zbe::TextFromColumn(text.c_str()) == text);
  ZBE_FUZZ_CHECK(IsValidUtf8(zbe::DecodeNoteText(text)));
  ZBE_FUZZ_CHECK(zbe::Utf16FromUtf8(text).size() >= zbe::Utf8CodePointCount(text));
  return 0;
}
