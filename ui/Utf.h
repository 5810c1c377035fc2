// UTF-8 and UTF-32 conversions for the toolkit's text handling (character limits count Unicode
// code points).
#pragma once

#include <string>
#include <string_view>

namespace zbe {

// Decodes "s"; a malformed sequence becomes U+FFFD.
std::u32string Utf8ToU32(std::string_view s);
// Encodes "s"; code points that are not Unicode scalar values become U+FFFD.
std::string U32ToUtf8(std::u32string_view s);
void AppendUtf8(char32_t cp, std::string* out);

}  // namespace zbe
