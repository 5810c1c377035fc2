#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zbe {

// The text of a message's attributedBody: an NSAttributedString archived in the "streamtyped"
// format (the typed stream of NSArchiver), which newer devices store instead of message.text.
//
// Reads the stream header, the attributed string object and its class chain, then the string
// object inside it (an NSString or NSMutableString) and that string's bytes. Everything after the
// string (the attribute runs) is not needed and not read. The blob is untrusted: every length
// and reference is checked against what the blob holds, and nothing past its end is ever read.
//
// Returns the string (valid UTF-8; ill-formed bytes become U+FFFD; possibly empty), or nullopt
// when "blob" is not such an archive or is cut short, malformed, or holds something else first.
std::optional<std::string> AttributedBodyText(std::string_view blob);

}  // namespace zbe
