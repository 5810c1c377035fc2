#pragma once

#include <string>
#include <string_view>

namespace zbe::mkbackup {

// The note data (ZICNOTEDATA.ZDATA) that the newer notes database keeps for a note whose whole
// text is "text" (UTF-8, the title on its first line): the document in protocol buffers, with one
// attribute run over the whole text, compressed with gzip. The same text gives the same bytes.
std::string NoteDataArchive(std::string_view text);

}  // namespace zbe::mkbackup
