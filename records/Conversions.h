#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zbe {

// The conversions every reader applies to column values (SQLite hands columns out as text).

// A text field from a column: empty for NULL; otherwise the column's UTF-8 text, with any
// ill-formed bytes replaced by U+FFFD so that records always hold valid UTF-8.
std::string TextFromColumn(const char* value);

// The bytes of a blob that the query handed out as hex(column) (SQLite's row callback passes
// text only): empty for NULL, or for text that is not an even number of hexadecimal digits.
std::string BytesFromHexColumn(const char* value);

// An integer field from a column: 0 for NULL; otherwise LeadingInteger of the text.
int32_t IntFromColumn(const char* value);

// Decimal text to integer the way the C runtime's atoi reads it: leading white space, an
// optional sign, then the leading digits up to the first other character ("12.7" gives 12,
// "abc" gives 0). Values beyond the 32-bit range are clamped to it.
int32_t LeadingInteger(std::string_view text);

// A date text: "%04d-%02d-%02d %02d:%02d:%02d" of the six numbers. Texts of this form order
// like the dates they stand for.
std::string FormatDateText(int year, int month, int day, int hour, int minute, int second);

// True when "text" has exactly the date text form (19 characters, digits and separators in
// place).
bool IsDateText(std::string_view text);

// The date text of "seconds" since 1970 in UTC, or "" when it cannot be represented.
std::string UtcDateText(int64_t seconds);

// The date text of "seconds" since 1970 in the computer's local time zone (TZ honoured), or ""
// when it cannot be represented.
std::string LocalDateText(int64_t seconds);

}  // namespace zbe
