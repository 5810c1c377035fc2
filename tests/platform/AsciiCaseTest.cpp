#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zbe {
namespace {

TEST(AsciiCaseCompare, IgnoresCaseOfAsciiLettersOnly) {
  EXPECT_EQ(AsciiCaseCompare("SQLite", "sqlite"), 0);
  EXPECT_TRUE(AsciiCaseEquals("Hello World", "hELLO wORLD"));
  // Bytes above 0x7F are compared as they are: "É" (C3 89) and "é" (C3 A9) differ.
  EXPECT_NE(AsciiCaseCompare("\xC3\x89", "\xC3\xA9"), 0);
  EXPECT_FALSE(AsciiCaseEquals("abc", "abcd"));
}

TEST(AsciiCaseCompare, OrdersLikeLowerCasedBytes) {
  EXPECT_LT(AsciiCaseCompare("alice", "Bob"), 0);
  EXPECT_GT(AsciiCaseCompare("Bob", "alice"), 0);
  // Folding to lower case puts "_" (0x5F) before letters whatever their case.
  EXPECT_LT(AsciiCaseCompare("_x", "A"), 0);
  EXPECT_LT(AsciiCaseCompare("ab", "ABC"), 0);
  // Bytes compare unsigned: a UTF-8 lead byte sorts after ASCII.
  EXPECT_GT(AsciiCaseCompare("\xC3\xA9", "z"), 0);
}

TEST(AsciiCaseCompare, SortsContactsWithCaseIgnored) {
  std::vector<std::string> names = {"bob", "Carol", "alice", "Bob"};
  std::stable_sort(names.begin(), names.end(), AsciiCaseLess());
  EXPECT_EQ(names, (std::vector<std::string>{"alice", "bob", "Bob", "Carol"}));
}

TEST(AsciiCaseConversion, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiLower("JPG \xC3\x89t\xC3\xA9"), "jpg \xC3\x89t\xC3\xA9");
  EXPECT_EQ(AsciiUpper("img_0001.heic"), "IMG_0001.HEIC");
}

}  // namespace
}  // namespace zbe
