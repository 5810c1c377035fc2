// The image notation: a plain name or file/source/dest/corner/fade/mask attributes.
#include <gtest/gtest.h>

#include "ui/ImageNotation.h"

namespace zbe {
namespace {

TEST(ImageNotation, PlainNameIsTheWholeImage) {
  UIImageNotation n;
  ASSERT_TRUE(ParseImageNotation("images\\logo.png", &n));
  EXPECT_EQ(n.file, "images/logo.png");
  EXPECT_FALSE(n.hasSource);
  EXPECT_FALSE(n.hasDest);
  EXPECT_EQ(n.fade, 255);
}

TEST(ImageNotation, AllAttributes) {
  UIImageNotation n;
  ASSERT_TRUE(ParseImageNotation(
      "file='Controls.png' source='325,75,340,90' dest='0,4,16,20' corner='2,3,4,5' fade='128' "
      "mask='#FFFF00FF' hole='true' xtiled='true' unknown='kept quiet'",
      &n));
  EXPECT_EQ(n.file, "Controls.png");
  EXPECT_TRUE(n.hasSource);
  EXPECT_EQ(n.source, (UIRect{325, 75, 340, 90}));
  EXPECT_TRUE(n.hasDest);
  EXPECT_EQ(n.dest, (UIRect{0, 4, 16, 20}));
  EXPECT_EQ(n.corner, (UIRect{2, 3, 4, 5}));
  EXPECT_EQ(n.fade, 128);
  EXPECT_EQ(n.mask, 0xFFFF00FFu);
  EXPECT_TRUE(n.hole);
  EXPECT_TRUE(n.xtiled);
  EXPECT_FALSE(n.ytiled);
}

TEST(ImageNotation, RejectsWhatCannotBeDrawn) {
  UIImageNotation n;
  EXPECT_FALSE(ParseImageNotation("", &n));
  EXPECT_FALSE(ParseImageNotation("source='1,2,3,4'", &n)) << "no file";
  EXPECT_FALSE(ParseImageNotation("file='a.png", &n)) << "unterminated";
  ASSERT_TRUE(ParseImageNotation("file='a.png' fade='999'", &n));
  EXPECT_EQ(n.fade, 255) << "fade is clamped";
}

}  // namespace
}  // namespace zbe
