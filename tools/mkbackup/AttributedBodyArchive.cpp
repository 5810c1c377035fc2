#include "tools/mkbackup/AttributedBodyArchive.h"

#include <cstdint>

#include "platform/Utf8.h"

namespace zbe::mkbackup {
namespace {

using namespace std::string_view_literals;

// The stream header, the attributed string's class chain and its string's class chain, up to
// the string's type ("+").
constexpr std::string_view kHead =
    "\x04\x0Bstreamtyped\x81\xE8\x03\x84\x01@\x84\x84\x84\x19NSMutableAttributedString\x00\x84\x84"
    "\x12NSAttributedString\x00\x84\x84\x08NSObject\x00\x85\x92\x84\x84\x84\x0FNSMutableString"
    "\x01\x84\x84\x08NSString\x01\x95\x84\x01+"sv;
// After the string: the end of the string object, then one attribute run whose length follows.
constexpr std::string_view kRunStart = "\x86\x84\x02iI\x01"sv;
// The run's attributes: the message part number 0.
constexpr std::string_view kRunAttributes =
    "\x92\x84\x84\x84\x0CNSDictionary\x00\x95\x84\x01i\x01\x92\x84\x98\x98\x1D"
    "__kIMMessagePartAttributeName\x86\x92\x84\x84\x84\x08NSNumber\x00\x84\x84\x07NSValue\x00\x95"
    "\x84\x01*\x84\x9B\x9B\x00\x86\x86\x86"sv;

// An integer of the typed stream: one byte when it is not mistaken for a tag, else a tag and
// two or four bytes, little-endian.
void AppendInteger(std::string& out, int64_t value) {
  auto little = [&out](uint32_t bits, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      out += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
  };
  if (value >= -110 && value <= 127) {
    out += static_cast<char>(static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    out += '\x81';
    little(static_cast<uint32_t>(value), 2);
  } else {
    out += '\x82';
    little(static_cast<uint32_t>(value), 4);
  }
}

}  // namespace

std::string AttributedBodyArchive(std::string_view text) {
  std::string archive(kHead);
  AppendInteger(archive, static_cast<int64_t>(text.size()));
  archive += text;
  archive += kRunStart;
  // Attribute ranges count UTF-16 units.
  AppendInteger(archive, static_cast<int64_t>(Utf16FromUtf8(text).size()));
  archive += kRunAttributes;
  return archive;
}

}  // namespace zbe::mkbackup
