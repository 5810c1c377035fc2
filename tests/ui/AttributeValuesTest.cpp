// Parsing of layout attribute values: colours, rectangles, numbers, attribute lists, names.
#include <gtest/gtest.h>

#include "ui/AttributeValues.h"

namespace zbe {
namespace {

TEST(AttributeValues, ColoursInEveryNotationLayoutsUse) {
  UIColor c = 0;
  EXPECT_TRUE(ParseUIColor("#FF2563EB", &c));
  EXPECT_EQ(c, 0xFF2563EBu);
  EXPECT_TRUE(ParseUIColor("#2563eb", &c));
  EXPECT_EQ(c, 0xFF2563EBu) << "six digits are opaque";
  EXPECT_TRUE(ParseUIColor("0x80FF0000", &c));
  EXPECT_EQ(c, 0x80FF0000u);
  EXPECT_TRUE(ParseUIColor("16711680", &c));
  EXPECT_EQ(c, 0x00FF0000u);
  c = 7;
  EXPECT_FALSE(ParseUIColor("#12345", &c));
  EXPECT_FALSE(ParseUIColor("red", &c));
  EXPECT_FALSE(ParseUIColor("", &c));
  EXPECT_EQ(c, 7u) << "a failed parse leaves the value alone";
}

TEST(AttributeValues, RectanglesAndSizes) {
  UIRect r;
  EXPECT_TRUE(ParseUIRect("1, 2,3 ,4", &r));
  EXPECT_EQ(r, (UIRect{1, 2, 3, 4}));
  EXPECT_TRUE(ParseUIRect("5", &r));
  EXPECT_EQ(r, (UIRect{5, 0, 0, 0})) << "missing trailing numbers are zero";
  EXPECT_TRUE(ParseUIRect("-4,0,0,-2", &r));
  EXPECT_EQ(r, (UIRect{-4, 0, 0, -2}));
  EXPECT_FALSE(ParseUIRect("1,x,3,4", &r));
  EXPECT_FALSE(ParseUIRect("1,2,3,4,5", &r));
  UISize s;
  EXPECT_TRUE(ParseUISize("1000,650", &s));
  EXPECT_EQ(s, (UISize{1000, 650}));
  int n = 0;
  EXPECT_TRUE(ParseUIInt(" +12 ", &n));
  EXPECT_EQ(n, 12);
  EXPECT_FALSE(ParseUIInt("12px", &n));
  EXPECT_TRUE(ParseUIBool("TRUE"));
  EXPECT_TRUE(ParseUIBool("1"));
  EXPECT_FALSE(ParseUIBool("yes"));
}

TEST(AttributeValues, AttributeListsKeepOrderAndBothQuotes) {
  std::vector<std::pair<std::string, std::string>> out;
  EXPECT_TRUE(ParseAttributeList(
      R"(name="a" bkimage="file='x.png' source='1,2,3,4'" text='say "hi"')", &out));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], (std::pair<std::string, std::string>{"name", "a"}));
  EXPECT_EQ(out[1].second, "file='x.png' source='1,2,3,4'");
  EXPECT_EQ(out[2].second, "say \"hi\"");
  out.clear();
  EXPECT_FALSE(ParseAttributeList(R"(a="1" b="unterminated)", &out));
  ASSERT_EQ(out.size(), 1u) << "pairs before the fault are kept";
  out.clear();
  EXPECT_FALSE(ParseAttributeList("a=1", &out));
}

TEST(AttributeValues, SkinNamesReadBackslashesAsSlashes) {
  EXPECT_EQ(NormalizeSkinName("xml\\skin.xml"), "xml/skin.xml");
  EXPECT_EQ(NormalizeSkinName(".\\xml\\a.xml"), "xml/a.xml");
  EXPECT_EQ(NormalizeSkinName("/Controls.png"), "Controls.png");
  EXPECT_TRUE(EqualsNoCase("Controls.PNG", "controls.png"));
  EXPECT_FALSE(EqualsNoCase("a", "ab"));
}

}  // namespace
}  // namespace zbe
