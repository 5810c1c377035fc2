#include "backup/MediaExtensions.h"

#include <gtest/gtest.h>

#include "backup/FileTypeSniffer.h"

namespace zbe {
namespace {

TEST(MediaExtensions, SortsEachDetectedTypeIntoOneKind) {
  std::string kinds;
  for (const FileTypeSnifferRow& row : FileTypeSniffer()) {
    MediaKind kind = MediaKindOfExtension(row.extension);
    kinds += std::string(row.extension) + ":" +
             (kind == MediaKind::kPicture ? "p"
              : kind == MediaKind::kAudio ? "a"
              : kind == MediaKind::kVideo ? "v"
                                          : "-") +
             " ";
  }
  // "mpg", "jpe" and "wma" never name a file: the first row of their code does.
  EXPECT_EQ(kinds,
            "mpeg:v mpg:- vob:v mp4:v rmvb:v wmv:v wma:a avi:v 3gp:v mp3:a mid:a wav:a mov:v "
            "gif:p bmp:p jpg:p jpeg:p jpe:- png:p ico:p heic:p ");
}

TEST(MediaExtensions, ComparesWholeEntriesIgnoringCase) {
  EXPECT_TRUE(IsVideoExtension("MOV"));
  EXPECT_TRUE(IsVideoExtension("mOv"));
  EXPECT_TRUE(IsAudioExtension("MP3"));
  EXPECT_TRUE(IsPictureExtension("tga"));  // the last entry of its list
  EXPECT_TRUE(IsPictureExtension("bmp"));  // the first
  EXPECT_FALSE(IsAudioExtension("p"));     // inside "*.mp3", but no entry
  EXPECT_FALSE(IsVideoExtension("mo"));
  EXPECT_FALSE(IsVideoExtension(""));
  EXPECT_FALSE(IsPictureExtension("jpg|"));
  EXPECT_TRUE(IsPictureExtension("HEIC"));
  EXPECT_TRUE(IsPictureExtension("heif"));
}

TEST(MediaExtensions, PreviewKindTriesPicturesThenAudioThenVideo) {
  EXPECT_TRUE(IsAudioExtension("rm") && IsVideoExtension("rm"));
  EXPECT_EQ(MediaKindOfExtension("rm"), MediaKind::kAudio);
  EXPECT_EQ(MediaKindOfExtension("PNG"), MediaKind::kPicture);
  EXPECT_EQ(MediaKindOfExtension("avi"), MediaKind::kVideo);
  EXPECT_EQ(MediaKindOfExtension("txt"), MediaKind::kNone);
}

TEST(MediaExtensions, ExtensionIsTheTextAfterTheLastDot) {
  EXPECT_EQ(ExtensionOf("IMG_0001.HEIC.JPG"), "JPG");
  EXPECT_EQ(ExtensionOf("7.mp4"), "mp4");
  EXPECT_EQ(ExtensionOf("README"), "");
  EXPECT_EQ(ExtensionOf("ends."), "");
}

}  // namespace
}  // namespace zbe
