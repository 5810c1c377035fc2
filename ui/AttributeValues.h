// Parsing of the attribute values that layouts write as text: colours, rectangles, sizes,
// numbers, booleans, and attribute lists (name="value" pairs) used by styles and defaults.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/UIDefs.h"

namespace zbe {

// Parses "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or a decimal number into "out".
// Returns false (and leaves "out" alone) when the text is none of these.
bool ParseUIColor(std::string_view text, UIColor* out);

// Parses "l,t,r,b" (spaces allowed); missing trailing numbers are 0. Returns false when the
// text holds no number or a part that is not a number.
bool ParseUIRect(std::string_view text, UIRect* out);

// Parses "cx,cy".
bool ParseUISize(std::string_view text, UISize* out);

// Parses a decimal integer, optionally signed; surrounding spaces allowed.
bool ParseUIInt(std::string_view text, int* out);

// "true" (any case) or "1" is true; everything else false.
bool ParseUIBool(std::string_view text);

// Splits an attribute list such as: name="x" text='a "b" c' width="10" into pairs, in order.
// Values are quoted with " or '; a value may not contain its own quote character. Returns
// false when the list is malformed; the pairs read before the fault are kept in "out".
bool ParseAttributeList(std::string_view list,
                        std::vector<std::pair<std::string, std::string>>* out);

// ASCII-case-insensitive equality.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Replaces every "\" with "/", drops a leading "./" and leading slashes.
std::string NormalizeSkinName(std::string_view name);

}  // namespace zbe
