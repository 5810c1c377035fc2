#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

namespace zbe {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

struct Decoded {
  char32_t codePoint;  // U+FFFD for an ill-formed sequence
  size_t length;       // bytes consumed: the sequence, or the maximal ill-formed subpart (>= 1)
  bool valid;
};

Decoded DecodeAt(std::string_view text, size_t pos) {
  auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = at(pos);
  if (lead < 0x80) {
    return {lead, 1, true};
  }
  size_t length = 0;
  char32_t value = 0;
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0)
      secondLow = 0xA0;  // overlong
    if (lead == 0xED)
      secondHigh = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0)
      secondLow = 0x90;  // overlong
    if (lead == 0xF4)
      secondHigh = 0x8F;  // above U+10FFFF
  } else {
    return {kReplacement, 1, false};
  }
  for (size_t i = 1; i < length; ++i) {
    if (pos + i >= text.size()) {
      return {kReplacement, i, false};
    }
    unsigned char byte = at(pos + i);
    bool ok = i == 1 ? IsContinuation(byte, secondLow, secondHigh) : IsContinuation(byte);
    if (!ok) {
      return {kReplacement, i, false};
    }
    value = (value << 6) | (byte & 0x3F);
  }
  return {value, length, true};
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  // Eight bytes at a time while they are ASCII, as nearly all the text of a backup is.
  size_t ascii = 0;
  while (ascii + 8 <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + ascii, sizeof word);
    if ((word & 0x8080808080808080ULL) != 0) {
      break;
    }
    ascii += 8;
  }
  for (size_t pos = ascii; pos < text.size();) {
    Decoded decoded = DecodeAt(text, pos);
    if (!decoded.valid) {
      return false;
    }
    pos += decoded.length;
  }
  return true;
}

std::string RepairUtf8(std::string_view text) {
  if (IsValidUtf8(text)) {
    return std::string(text);
  }
  std::string result;
  result.reserve(text.size() + 8);
  for (size_t pos = 0; pos < text.size();) {
    Decoded decoded = DecodeAt(text, pos);
    pos += decoded.length;
    AppendUtf8(result, decoded.codePoint);
  }
  return result;
}

size_t Utf8CodePointCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); ++count) {
    pos += DecodeAt(text, pos).length;
  }
  return count;
}

std::string Utf8Truncate(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) {
    return std::string(text);
  }
  size_t end = maxBytes;
  // Step back over continuation bytes to the start of the sequence that the cut would split.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return std::string(text.substr(0, end));
}

std::string Utf8Prefix(std::string_view text, size_t count) {
  size_t end = 0;
  for (size_t points = 0; points < count && end < text.size(); ++points) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
      ++end;
    }
  }
  return std::string(text.substr(0, end));
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      char32_t low = text[++i];
      AppendUtf8(result, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(result, kReplacement);
    } else {
      AppendUtf8(result, unit);
    }
  }
  return result;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    Decoded decoded = DecodeAt(text, pos);
    pos += decoded.length;
    char32_t codePoint = decoded.codePoint;
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      result += static_cast<char16_t>(0xD800 + (codePoint >> 10));
      result += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
      result += static_cast<char16_t>(codePoint);
    }
  }
  return result;
}

}  // namespace zbe
