// The sample media: real images, valid audio and video headers, and the mix of recognised and
// unrecognised files per kind, scaled by the scale option.

#include "tools/mkbackup/SampleMedia.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include "backup/FileTypeSniffer.h"
#include "tools/mkbackup/SampleContent.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe::mkbackup {
namespace {

// The type code of a file's bytes; kNoFileType for files too short to be recognised.
int32_t TypeCode(const std::string& bytes) {
  if (bytes.size() < kSniffBytes) {
    return kNoFileType;
  }
  return SniffTypeCode(reinterpret_cast<const uint8_t*>(bytes.data()));
}

// Decodes an image; returns "width x height", or "" when it is no image.
std::string Decoded(const std::string& bytes) {
  int width = 0;
  int height = 0;
  int channels = 0;
  unsigned char* pixels =
      stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels, 3);
  if (pixels == nullptr) {
    return "";
  }
  stbi_image_free(pixels);
  return std::to_string(width) + "x" + std::to_string(height);
}

uint32_t Little32(const std::string& bytes, size_t at) {
  auto b = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i]));
  };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

TEST(SampleMediaFiles, ImagesAreRealPicturesOfTheirKind) {
  SampleRandom random(5);
  std::string jfif = JfifJpeg(random, 64, 48);
  std::string exif = ExifJpeg(random, 48, 64);
  std::string bare = BareJpeg(random, 32, 32);
  std::string png = PngImage(random, 40, 72);
  EXPECT_EQ(Decoded(jfif), "64x48");
  EXPECT_EQ(Decoded(exif), "48x64");
  EXPECT_EQ(Decoded(bare), "32x32");
  EXPECT_EQ(Decoded(png), "40x72");
  EXPECT_EQ(jfif.substr(6, 4), "JFIF");
  EXPECT_EQ(exif.substr(6, 6), std::string("Exif\0\0", 6));
  EXPECT_EQ(bare.substr(0, 4), "\xFF\xD8\xFF\xDB");
  EXPECT_EQ(TypeCode(jfif), 10);
  EXPECT_EQ(TypeCode(exif), 10);
  EXPECT_EQ(TypeCode(png), 30);
  EXPECT_EQ(TypeCode(bare), 10);
  std::string heic = HeicImage(random, 64, 48);
  EXPECT_EQ(heic.substr(4, 8), "ftypheic");
  EXPECT_EQ(TypeCode(heic), kHeifTypeCode);
  EXPECT_EQ(TypeCode(CameraRawImage(random)), kNoFileType);
  // The same pixels always give the same photo, so a seed gives the same backup.
  SampleRandom again(5);
  SampleRandom twice(5);
  EXPECT_EQ(HeicImage(again, 32, 32), HeicImage(twice, 32, 32));
}

TEST(SampleMediaFiles, AudioAndVideoHaveValidHeaders) {
  SampleRandom random(6);
  std::string mp4 = Mp4Video(random, 1000);
  std::string mp42 = Mp4Video(random, 1000, /*mp42=*/true);
  std::string mov = MovVideo(random, 1000);
  std::string wav = WavAudio(random, 500);
  std::string mp3 = Mp3Audio("Title", 3);
  EXPECT_EQ(TypeCode(mp4), 18);
  EXPECT_EQ(mp4.substr(4, 8), "ftypisom");
  EXPECT_EQ(TypeCode(mp42), 18);
  EXPECT_EQ(mp42.substr(4, 8), "ftypmp42");
  EXPECT_EQ(TypeCode(mov), 17);
  // Boxes follow each other to the end of the file: ftyp, then the others by their sizes.
  for (const std::string* movie : {&mp4, &mov}) {
    size_t at = 0;
    while (at + 8 <= movie->size()) {
      auto b = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>((*movie)[at + i]));
      };
      at += b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
    }
    EXPECT_EQ(at, movie->size());
    EXPECT_NE(movie->find("mvhd"), std::string::npos);
  }
  EXPECT_EQ(TypeCode(wav), 21);
  EXPECT_EQ(Little32(wav, 4), wav.size() - 8);
  EXPECT_EQ(Little32(wav, 24), 8000u);
  EXPECT_EQ(Little32(wav, 40), 8000u);  // 500 ms of 16-bit mono samples at 8000 Hz
  EXPECT_EQ(TypeCode(mp3), 12);
  size_t frames = mp3.find("\xFF\xFB");
  ASSERT_NE(frames, std::string::npos);
  EXPECT_EQ(mp3.size() - frames, 3u * 417u);
  EXPECT_EQ(TypeCode(OpusVoiceNote(random)), kNoFileType);
}

// Per manifest path marker: how many stored files of the sample hold bytes that the type
// detection recognises, and how many do not.
struct Tally {
  int recognised = 0;
  int other = 0;
};

Tally Count(const SampleBackup& backup, const std::string& domain, const std::string& marker) {
  Tally tally;
  for (const StoredFile& file : backup.files()) {
    if (file.isFolder() || file.domain != domain ||
        file.manifestPath().find(marker) == std::string::npos) {
      continue;
    }
    int32_t code = TypeCode(file.contents);
    ++(code != kNoFileType ? tally.recognised : tally.other);
  }
  return tally;
}

TEST(SampleMedia, ScalesEachKindOfMedia) {
  for (int n : {1, 3}) {
    SampleOptions options;
    options.scale = n;
    SampleBackup backup = MakeSampleBackup(options);
    Tally roll = Count(backup, "CameraRollDomain", "Media/DCIM/");
    EXPECT_EQ(roll.recognised, 12 * n);
    EXPECT_EQ(roll.other, n + 1);  // camera raw files and the folder's property list
    Tally stream = Count(backup, "MediaDomain", "Media/PhotoStreamsData/");
    EXPECT_EQ(stream.recognised, 5 * n);
    EXPECT_EQ(stream.other, 0);
    Tally attachments = Count(backup, "MediaDomain", "/Attachments/");
    EXPECT_EQ(attachments.recognised, 5 * n);
    EXPECT_EQ(attachments.other, n);
    Tally photoApp = Count(backup, "AppDomain-com.example.photoframe", "");
    EXPECT_EQ(photoApp.recognised, 3 * n);
    Tally clipApp = Count(backup, "AppDomain-com.sample.clipmaker", "");
    EXPECT_EQ(clipApp.recognised, 5 * n);
    Tally whatsApp = Count(backup, "AppDomain-net.whatsapp.WhatsApp", "Library/Media/");
    EXPECT_EQ(whatsApp.recognised, 4 * n);
    EXPECT_EQ(whatsApp.other, 2 * n);
    Tally whatsAppGroup =
        Count(backup, "AppDomainGroup-group.net.whatsapp.WhatsApp.shared", "-Message/Media/");
    EXPECT_EQ(whatsAppGroup.recognised, 3 * n);
    EXPECT_EQ(whatsAppGroup.other, 2 * n);
  }
}

TEST(SampleMedia, NamesAMessageAttachmentHeicThatHoldsAJpeg) {
  SampleBackup backup = MakeSampleBackup(SampleOptions{});
  int found = 0;
  for (const StoredFile& file : backup.files()) {
    if (file.relativePath.find("/Attachments/") != std::string::npos &&
        file.relativePath.ends_with(".HEIC") && TypeCode(file.contents) == 10) {
      ++found;
    }
  }
  EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace zbe::mkbackup
