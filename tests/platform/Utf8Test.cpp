#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

TEST(Utf8Validity, AcceptsWellFormedText) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII"));
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));  // é € 😀
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));                               // U+FFFD itself
  EXPECT_TRUE(IsValidUtf8("1234567\xC3\xA9 and eight more"));             // across an 8-byte step
}

TEST(Utf8Validity, RejectsIllFormedSequences) {
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("abc\xE2\x82"));       // cut short
  EXPECT_FALSE(IsValidUtf8("\x80"));              // stray continuation byte
  // After whole 8-byte steps of ASCII, and within one.
  EXPECT_FALSE(IsValidUtf8("12345678\x80"));
  EXPECT_FALSE(IsValidUtf8("12345678abcdefgh\xE2\x82"));
  EXPECT_FALSE(IsValidUtf8("1234\xFF" "678abcdefgh"));
}

TEST(Utf8Repair, ReplacesEachMaximalIllFormedSubpart) {
  EXPECT_EQ(RepairUtf8("ok"), "ok");
  EXPECT_EQ(RepairUtf8("a\xFF"
                       "b"),
            "a\xEF\xBF\xBD"
            "b");
  // A truncated three-byte sequence is one subpart and becomes one replacement character.
  EXPECT_EQ(RepairUtf8("\xE2\x82"
                       "z"),
            "\xEF\xBF\xBD"
            "z");
  EXPECT_EQ(RepairUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_TRUE(IsValidUtf8(RepairUtf8("\xF0\x9F\x98")));
}

TEST(Utf8Count, CountsCodePoints) {
  EXPECT_EQ(Utf8CodePointCount(""), 0u);
  EXPECT_EQ(Utf8CodePointCount("caf\xC3\xA9"), 4u);
  EXPECT_EQ(Utf8CodePointCount("\xF0\x9F\x98\x80!"), 2u);
}

TEST(Utf8Truncate, NeverSplitsASequence) {
  std::string text = "ab\xC3\xA9\xF0\x9F\x98\x80";  // a b é 😀 (2 + 2 + 4 bytes)
  EXPECT_EQ(Utf8Truncate(text, 100), text);
  EXPECT_EQ(Utf8Truncate(text, 3), "ab");
  EXPECT_EQ(Utf8Truncate(text, 4), "ab\xC3\xA9");
  EXPECT_EQ(Utf8Truncate(text, 7), "ab\xC3\xA9");
  EXPECT_EQ(Utf8Truncate(text, 0), "");
  // By code points rather than bytes.
  EXPECT_EQ(Utf8Prefix(text, 3), "ab\xC3\xA9");
  EXPECT_EQ(Utf8Prefix(text, 4), text);
  EXPECT_EQ(Utf8Prefix(text, 9), text);
}

TEST(Utf16Conversion, KeepsCharactersOutsideTheBasicPlaneAsSurrogatePairs) {
  std::string text = "A\xC3\xA9\xF0\x9F\x98\x80";  // A é 😀
  std::u16string wide = Utf16FromUtf8(text);
  EXPECT_EQ(wide, (std::u16string{u'A', 0x00E9, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf8FromUtf16(wide), text);
}

TEST(Utf16Conversion, ReplacesUnpairedSurrogates) {
  EXPECT_EQ(Utf8FromUtf16(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf8FromUtf16(std::u16string{0xDC00}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zbe
