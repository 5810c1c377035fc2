// The label markup: {b} {i} {u} {c #RRGGBB} {n}, closing in any order, unknown tags kept.
#include <gtest/gtest.h>

#include "ui/TextMarkup.h"

namespace zbe {
namespace {

TEST(TextMarkup, StylesOpenAndCloseInAnyOrder) {
  // The password window's link closes its tags crosswise.
  auto runs = ParseTextMarkup("{u}{i}Restore it now >>{/u}{/i} done");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "Restore it now >>");
  EXPECT_TRUE(runs[0].underline);
  EXPECT_TRUE(runs[0].italic);
  EXPECT_EQ(runs[1].text, " done");
  EXPECT_FALSE(runs[1].underline);
  EXPECT_FALSE(runs[1].italic);
}

TEST(TextMarkup, ColoursNestAndLineBreaks) {
  auto runs = ParseTextMarkup("a{c #FF0000}red{c #00FF00}green{/c}red{/c}{n}b{b}B{/b}");
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[1].text, "red");
  EXPECT_EQ(runs[1].color, 0xFFFF0000u);
  EXPECT_EQ(runs[2].color, 0xFF00FF00u);
  EXPECT_EQ(runs[3].color, 0xFFFF0000u);
  EXPECT_EQ(runs[4].text, "\nb");
  EXPECT_EQ(runs[4].color, 0u);
  EXPECT_TRUE(runs[5].bold);
}

TEST(TextMarkup, UnknownTagsAndLoneBracesStayText) {
  EXPECT_EQ(StripTextMarkup("{x}a{b}b{/b} {"), "{x}ab {");
  EXPECT_EQ(StripTextMarkup("{c red}x{/c}"), "{c red}x");
  EXPECT_EQ(StripTextMarkup("{/b}plain"), "plain") << "a stray close tag changes nothing";
  EXPECT_TRUE(ParseTextMarkup("").empty());
}

}  // namespace
}  // namespace zbe
