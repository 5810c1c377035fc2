#pragma once

#include <string>
#include <string_view>

namespace zbe {

// Case-insensitive comparisons of UTF-8 text that fold only the ASCII letters A-Z, byte by byte
// (bytes above 0x7F compare as themselves). Folding is to lower case, so "_" sorts before "a"
// whatever the case of the letter.

// Returns a negative number, 0 or a positive number as "a" sorts before, equal to or after "b".
int AsciiCaseCompare(std::string_view a, std::string_view b);

inline bool AsciiCaseEquals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiCaseCompare(a, b) == 0;
}

// Strict weak ordering for sorts and ordered containers.
struct AsciiCaseLess {
  bool operator()(std::string_view a, std::string_view b) const {
    return AsciiCaseCompare(a, b) < 0;
  }
};

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

}  // namespace zbe
