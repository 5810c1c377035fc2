#include "platform/AsciiCase.h"

#include <algorithm>

namespace zbe {
namespace {

unsigned char FoldLower(char c) {
  auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

int AsciiCaseCompare(std::string_view a, std::string_view b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    int difference = static_cast<int>(FoldLower(a[i])) - static_cast<int>(FoldLower(b[i]));
    if (difference != 0) {
      return difference;
    }
  }
  if (a.size() == b.size()) {
    return 0;
  }
  return a.size() < b.size() ? -1 : 1;
}

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    c = static_cast<char>(FoldLower(c));
  }
  return result;
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - ('a' - 'A'));
    }
  }
  return result;
}

}  // namespace zbe
