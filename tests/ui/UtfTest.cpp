// UTF-8 and UTF-32 conversions: malformed input becomes U+FFFD, never a crash or a lost byte.
#include <gtest/gtest.h>

#include "ui/Utf.h"

namespace zbe {
namespace {

TEST(Utf, RoundTripsEveryPlane) {
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, ä, €, emoji
  const std::u32string cps = Utf8ToU32(text);
  EXPECT_EQ(cps, (std::u32string{U'a', U'\u00E4', U'\u20AC', U'\U0001F600'}));
  EXPECT_EQ(U32ToUtf8(cps), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToU32("\xFF"
                      "a"),
            (std::u32string{U'\uFFFD', U'a'}));
  EXPECT_EQ(Utf8ToU32("\xC3"), std::u32string{U'\uFFFD'}) << "truncated at the end";
  EXPECT_EQ(Utf8ToU32("\xC3"
                      "a"),
            (std::u32string{U'\uFFFD', U'a'}))
      << "a bad continuation";
  EXPECT_EQ(Utf8ToU32("\xC0\xAF"), std::u32string{U'\uFFFD'}) << "overlong";
  EXPECT_EQ(Utf8ToU32("\xED\xA0\x80"), std::u32string{U'\uFFFD'}) << "a surrogate";
  EXPECT_EQ(U32ToUtf8(std::u32string{0x110000}), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zbe
