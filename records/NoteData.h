#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zbe {

// Most bytes that a note's data may inflate to; larger data is refused (a note's text is a few
// kilobytes, its attachments are stored apart), so a hostile backup cannot exhaust memory.
inline constexpr uint64_t kMaxNoteDataBytes = 64ull << 20;

// The full text of a note from its note data (ZICNOTEDATA.ZDATA of the newer notes database):
// gzip-compressed protocol buffers holding the document, whose note holds the text. The first
// line of the text is the note's title; attachments stand in it as U+FFFC.
// Returns the text (valid UTF-8: ill-formed bytes become U+FFFD; possibly empty), or nullopt when
// "data" is not gzip data (a locked note's data is encrypted), is cut short or damaged, inflates
// to more than kMaxNoteDataBytes, or holds no note text.
std::optional<std::string> NoteDataText(std::string_view data);

}  // namespace zbe
