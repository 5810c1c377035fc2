#include "backup/InfoPlistValues.h"

#include <cstdlib>

#include "backup/BackupDate.h"
#include "platform/TimeZone.h"
#include "platform/Utf8.h"
#include "records/Conversions.h"

namespace zbe {
namespace {

// The UTF-8 form of "codePoint", or "" for values that are not characters.
std::string EncodeCodePoint(unsigned long codePoint) {
  if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return {};
  }
  std::u16string units;
  if (codePoint >= 0x10000) {
    codePoint -= 0x10000;
    units += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    units += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  } else {
    units += static_cast<char16_t>(codePoint);
  }
  return Utf8FromUtf16(units);
}

// The text that the reference "entity" (without "&" and ";") stands for, or "" when it is not a
// known one.
std::string Resolve(std::string_view entity) {
  if (entity == "amp")
    return "&";
  if (entity == "lt")
    return "<";
  if (entity == "gt")
    return ">";
  if (entity == "quot")
    return "\"";
  if (entity == "apos")
    return "'";
  if (entity.size() >= 2 && entity[0] == '#') {
    bool hex = entity[1] == 'x' || entity[1] == 'X';
    std::string digits(entity.substr(hex ? 2 : 1));
    if (digits.empty() || digits.size() > 8) {
      return {};
    }
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0') {
      return {};
    }
    return EncodeCodePoint(value);
  }
  return {};
}

}  // namespace

void ApplyBackupDate(std::string text, BackupSummary& summary) {
  size_t t = text.find('T');
  if (t != std::string::npos) {
    text[t] = ' ';
    size_t z = text.find('Z');
    if (z != std::string::npos) {
      text.resize(z);
    }
  }
  std::string converted = ConvertBackupDate(text, TimeZoneBaseBiasMinutes());
  summary.lastBackupDate = converted.empty() ? text : converted;
}

void ApplyProductVersion(std::string_view text, BackupSummary& summary) {
  summary.modernVersion = LeadingInteger(text) > 11;
}

std::string DecodeXmlEntities(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    if (text[pos] == '&') {
      size_t semicolon = text.find(';', pos + 1);
      if (semicolon != std::string_view::npos && semicolon - pos <= 12) {
        std::string replacement = Resolve(text.substr(pos + 1, semicolon - pos - 1));
        if (!replacement.empty()) {
          result += replacement;
          pos = semicolon + 1;
          continue;
        }
      }
    }
    result += text[pos++];
  }
  return result;
}

}  // namespace zbe
