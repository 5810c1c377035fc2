#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zbe {

// Text in the core is UTF-8. These helpers check and repair it, count its code points (character
// limits count code points) and convert from and to UTF-16 (language files may be UTF-16).

// True when "text" is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Returns "text" with every ill-formed sequence replaced by U+FFFD (one per maximal ill-formed
// subpart), so that the result is always valid UTF-8. Valid text is returned unchanged.
std::string RepairUtf8(std::string_view text);

// Number of code points in "text"; each ill-formed subpart counts as one.
size_t Utf8CodePointCount(std::string_view text);

// The longest prefix of "text" of at most "maxBytes" bytes that does not end inside a
// multi-byte sequence.
std::string Utf8Truncate(std::string_view text, size_t maxBytes);

// The first "count" code points of valid UTF-8 "text" (all of it when it has fewer).
std::string Utf8Prefix(std::string_view text, size_t count);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

// UTF-8 to UTF-16; ill-formed input is repaired as RepairUtf8 does. Characters outside the
// Basic Multilingual Plane become surrogate pairs.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace zbe
