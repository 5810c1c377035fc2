#include "backup/MediaWalk.h"

#include <gtest/gtest.h>

#include "platform/Utf8.h"

namespace zbe {
namespace {

TEST(MediaNames, BaseNameIsThePartAfterTheLastSlash) {
  EXPECT_EQ(BaseName("CameraRollDomain-Media/DCIM/100APPLE/IMG_0001.JPG"), "IMG_0001.JPG");
  EXPECT_EQ(BaseName("AppDomain-com.example.app"), "AppDomain-com.example.app");
  EXPECT_EQ(BaseName("MediaDomain-Library/SMS/Attachments/0a/"), "");
  EXPECT_EQ(BaseName("HomeDomain-Caf\xC3\xA9/\xF0\x9F\x93\xB7 photo.jpg"),
            "\xF0\x9F\x93\xB7 photo.jpg");
  EXPECT_EQ(BaseName("HomeDomain-a/bad\xFF.jpg"), "bad\xEF\xBF\xBD.jpg");
}

TEST(MediaNames, AdjustedNameTakesTheDetectedExtensionInCapitals) {
  EXPECT_EQ(AdjustedName("IMG_0001.HEIC", "jpg"), "IMG_0001.JPG");
  EXPECT_EQ(AdjustedName("clip.final.mov", "mp4"), "clip.final.MP4");
  EXPECT_EQ(AdjustedName("photo", "png"), "photo.PNG");
  EXPECT_EQ(AdjustedName(".hidden", "gif"), ".GIF");
}

TEST(AppNames, TakeTheTextAfterComOrNetUpToTheNextDash) {
  EXPECT_EQ(AppNameOf("AppDomain-com.example.photos-Documents/a.jpg"), "example.photos");
  EXPECT_EQ(AppNameOf("AppDomain-net.example.radio-Documents/cover.png"), "example.radio");
  // "com." wins over an earlier "net.".
  EXPECT_EQ(AppNameOf("AppDomain-net.example.radio-Documents/com.x-y.jpg"), "x");
  EXPECT_EQ(AppNameOf("AppDomain-org.example.viewer-Documents/a.jpg"), "other");
  // A "com." with no "-" after it.
  EXPECT_EQ(AppNameOf("AppDomain-org.example.viewer-Documents/com.pic.jpg"), "other");
  EXPECT_EQ(AppNameOf("AppDomain-com.example"), "other");
}

TEST(AppNames, AreCutAfter259Characters) {
  std::string accented;
  for (int i = 0; i < 300; ++i) {
    accented += "\xC3\xA9";
  }
  std::string app = AppNameOf("AppDomain-com." + accented + "-Documents/a.jpg");
  EXPECT_EQ(Utf8CodePointCount(app), 259u);
  EXPECT_TRUE(IsValidUtf8(app));
  EXPECT_EQ(app, accented.substr(0, 518));
  std::string exact(259, 'a');
  EXPECT_EQ(AppNameOf("AppDomain-com." + exact + "-Documents/a.jpg"), exact);
  EXPECT_EQ(AppNameOf("AppDomain-com." + exact + "b-Documents/a.jpg"), exact);
}

}  // namespace
}  // namespace zbe
