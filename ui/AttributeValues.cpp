#include "ui/AttributeValues.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace zbe {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
    s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
    s.remove_suffix(1);
  return s;
}

bool ParseHex(std::string_view s, uint32_t* out) {
  if (s.empty() || s.size() > 8)
    return false;
  uint32_t v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (ec != std::errc() || p != s.data() + s.size())
    return false;
  *out = v;
  return true;
}

// Splits "a,b,c" into up to "max" integers; returns how many were read, -1 on a bad part.
int ParseIntList(std::string_view text, int* values, int max) {
  text = Trim(text);
  if (text.empty())
    return -1;
  int n = 0;
  while (!text.empty()) {
    size_t comma = text.find(',');
    std::string_view part = Trim(text.substr(0, comma));
    if (n >= max)
      return -1;
    if (!ParseUIInt(part, &values[n]))
      return -1;
    ++n;
    if (comma == std::string_view::npos)
      break;
    text.remove_prefix(comma + 1);
  }
  return n;
}

}  // namespace

bool ParseUIColor(std::string_view text, UIColor* out) {
  text = Trim(text);
  uint32_t v = 0;
  if (!text.empty() && text.front() == '#') {
    std::string_view hex = text.substr(1);
    if (!ParseHex(hex, &v))
      return false;
    if (hex.size() == 6)
      v |= 0xFF000000u;
    else if (hex.size() != 8)
      return false;
    *out = v;
    return true;
  }
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (!ParseHex(text.substr(2), &v))
      return false;
    *out = v;
    return true;
  }
  int64_t d = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
  if (text.empty() || ec != std::errc() || p != text.data() + text.size() || d < 0 ||
      d > 0xFFFFFFFFll) {
    return false;
  }
  *out = static_cast<UIColor>(d);
  return true;
}

bool ParseUIRect(std::string_view text, UIRect* out) {
  int v[4] = {0, 0, 0, 0};
  if (ParseIntList(text, v, 4) < 1)
    return false;
  *out = UIRect{v[0], v[1], v[2], v[3]};
  return true;
}

bool ParseUISize(std::string_view text, UISize* out) {
  int v[2] = {0, 0};
  if (ParseIntList(text, v, 2) < 1)
    return false;
  *out = UISize{v[0], v[1]};
  return true;
}

bool ParseUIInt(std::string_view text, int* out) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  int v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || p != text.data() + text.size())
    return false;
  *out = v;
  return true;
}

bool ParseUIBool(std::string_view text) {
  text = Trim(text);
  return text == "1" || EqualsNoCase(text, "true");
}

bool ParseAttributeList(std::string_view list,
                        std::vector<std::pair<std::string, std::string>>* out) {
  size_t i = 0;
  const size_t n = list.size();
  for (;;) {
    while (i < n && std::isspace(static_cast<unsigned char>(list[i])))
      ++i;
    if (i >= n)
      return true;
    size_t nameStart = i;
    while (i < n && list[i] != '=' && !std::isspace(static_cast<unsigned char>(list[i])))
      ++i;
    std::string name(list.substr(nameStart, i - nameStart));
    while (i < n && std::isspace(static_cast<unsigned char>(list[i])))
      ++i;
    if (i >= n || list[i] != '=' || name.empty())
      return false;
    ++i;
    while (i < n && std::isspace(static_cast<unsigned char>(list[i])))
      ++i;
    if (i >= n || (list[i] != '"' && list[i] != '\''))
      return false;
    char quote = list[i++];
    size_t end = list.find(quote, i);
    if (end == std::string_view::npos)
      return false;
    out->emplace_back(std::move(name), std::string(list.substr(i, end - i)));
    i = end + 1;
  }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string NormalizeSkinName(std::string_view name) {
  std::string s(name);
  for (char& c : s) {
    if (c == '\\')
      c = '/';
  }
  size_t start = 0;
  for (;;) {
    if (s.compare(start, 2, "./") == 0) {
      start += 2;
    } else if (start < s.size() && s[start] == '/') {
      ++start;
    } else {
      break;
    }
  }
  return s.substr(start);
}

}  // namespace zbe
