#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zbe {

// The plain-text transcript shared by message threads and WhatsApp chats. Each message is
// three lines and an empty one, the labels right-aligned in 10 columns:
//   "        To: <party>"   (sent; "      From: <party>" when received)
//   "      Data: <date>"
//   "   Content: <text>"
//   ""
// in a TextFile (byte-order mark, CR LF line ends). Text is written as it is, unescaped.

struct TranscriptMessage {
  bool sent = false;
  std::string party;  // the display party (DisplayParty.h)
  std::string_view date;
  std::string_view text;
};

// Creates "path" (its folder first; an existing file is truncated) and writes "count" messages,
// message i given by "message(i)", written in pieces of about 64 KiB. Reports no progress.
// Returns 0, or the errno of the create (nothing written) or of the first failed write (the
// pieces before it stay in the file).
int32_t WriteTranscript(const std::string& path, size_t count,
                        const std::function<TranscriptMessage(size_t)>& message);

}  // namespace zbe
