#include "backup/PreviewCopy.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/stat.h>

#include "backup/CBackupParser.h"
#include "records/ResultCodes.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// Records the percentages; answers 2 from the report numbered "stopAt" on (never when 0).
struct Percents {
  std::vector<int32_t> seen;
  size_t stopAt = 0;
  static int32_t Callback(void* context, int32_t percent) {
    auto* self = static_cast<Percents*>(context);
    self->seen.push_back(percent);
    return self->stopAt != 0 && self->seen.size() >= self->stopAt ? kResultStopped : 0;
  }
};

class PreviewCopyTest : public ::testing::Test {
 protected:
  // A stored file with "bytes".
  std::string Stored(const std::string& name, const std::string& bytes) {
    WriteFile(backup_ / name, bytes);
    return backup_ / name;
  }

  std::string Work() const { return work_.path() + "/"; }

  TempFolder backup_;
  TempFolder work_;
  mkbackup::SampleRandom random_{3};
};

TEST_F(PreviewCopyTest, CopiesEachKindUnderItsName) {
  struct Kind {
    std::string bytes;
    const char* copy;
  };
  const std::vector<Kind> kinds = {
      {mkbackup::PngImage(random_, 40, 40), "tmp.jpg"},
      {mkbackup::ExifJpeg(random_, 40, 40), "tmp.jpg"},
      {mkbackup::WavAudio(random_, 200), "tmp.wav"},
      {mkbackup::Mp3Audio("Song", 3), "tmp.wav"},
      {mkbackup::MovVideo(random_, 1000), "tmp.avi"},
      {mkbackup::Mp4Video(random_, 1000), "tmp.avi"},
  };
  for (const Kind& kind : kinds) {
    std::string copy;
    std::string stored = Stored("f", kind.bytes);
    EXPECT_EQ(MakePreviewCopy(Work(), stored, copy, nullptr, nullptr), Result::Ok());
    EXPECT_EQ(copy, Work() + kind.copy);
    EXPECT_EQ(ReadFile(copy), kind.bytes);
    struct stat info {};
    ASSERT_EQ(stat(copy.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadFile(stored), kind.bytes);
  }
}

// "width x height" of a decoded picture, "" when it is none.
std::string PictureSize(const std::string& bytes) {
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels) == 0) {
    return "";
  }
  return std::to_string(width) + "x" + std::to_string(height);
}

TEST_F(PreviewCopyTest, HeifPhotosAreShownAsJpegsMadeFromThem) {
  std::string heic = mkbackup::HeicImage(random_, 48, 32);
  // The same photo under the other brands a HEIF file may carry.
  std::string mif1 = heic;
  mif1.replace(8, 4, "mif1");
  for (const std::string& photo : {heic, mif1}) {
    Percents percents;
    std::string copy;
    std::string stored = Stored("IMG_0001.HEIC", photo);
    ASSERT_EQ(MakePreviewCopy(Work(), stored, copy, Percents::Callback, &percents), Result::Ok());
    EXPECT_EQ(copy, Work() + "tmp.jpg");
    std::string jpeg = ReadFile(copy);
    EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(PictureSize(jpeg), "48x32");
    EXPECT_EQ(percents.seen, (std::vector<int32_t>{100}));
    EXPECT_EQ(ReadFile(stored), photo);  // the stored photo stays as it is
  }
  // A JPEG without JFIF or Exif segment is copied as it is.
  std::string bare = mkbackup::BareJpeg(random_, 20, 20);
  std::string copy;
  ASSERT_EQ(MakePreviewCopy(Work(), Stored("bare", bare), copy, nullptr, nullptr), Result::Ok());
  EXPECT_EQ(ReadFile(copy), bare);
}

TEST_F(PreviewCopyTest, AHeifFileThatCannotBeDecodedLeavesNoPictureOnShow) {
  std::string copy;
  ASSERT_EQ(MakePreviewCopy(Work(), Stored("p", mkbackup::PngImage(random_, 40, 40)), copy, nullptr,
                            nullptr),
            Result::Ok());
  std::string heic = mkbackup::HeicImage(random_, 32, 32);
  std::string broken = heic.substr(0, 40) + std::string(heic.size() - 40, '\x5A');
  for (const std::string& bytes : {broken, heic.substr(0, 600)}) {
    Percents percents;
    EXPECT_EQ(MakePreviewCopy(Work(), Stored("b", bytes), copy, Percents::Callback, &percents),
              Result(kMissingFile));
    EXPECT_EQ(percents.seen, (std::vector<int32_t>{100}));
    EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.jpg"));
  }
}

TEST_F(PreviewCopyTest, ASmallerPictureReplacesALargerOneCompletely) {
  std::string large = mkbackup::PngImage(random_, 120, 120);
  std::string small = mkbackup::JfifJpeg(random_, 16, 16);
  ASSERT_GT(large.size(), small.size());
  std::string copy;
  ASSERT_EQ(MakePreviewCopy(Work(), Stored("large", large), copy, nullptr, nullptr), Result::Ok());
  chmod(copy.c_str(), 0644);
  ASSERT_EQ(MakePreviewCopy(Work(), Stored("small", small), copy, nullptr, nullptr), Result::Ok());
  EXPECT_EQ(ReadFile(Work() + "tmp.jpg"), small);
  struct stat info {};
  ASSERT_EQ(stat(copy.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(PreviewCopyTest, ReportsEachChunkAndALastHundred) {
  size_t frame = mkbackup::Mp4Video(random_, 0).size();
  std::string video = mkbackup::Mp4Video(random_, 200000 - frame);
  ASSERT_EQ(video.size(), 200000u);
  Percents percents;
  std::string copy;
  EXPECT_EQ(MakePreviewCopy(Work(), Stored("v", video), copy, Percents::Callback, &percents),
            Result::Ok());
  EXPECT_EQ(percents.seen, (std::vector<int32_t>{32, 65, 98, 100, 100}));
  EXPECT_EQ(ReadFile(copy), video);
}

TEST_F(PreviewCopyTest, AStopEndsTheCopyAndRemovesIt) {
  std::string video = mkbackup::Mp4Video(random_, 200000);
  Percents percents;
  percents.stopAt = 1;
  std::string copy;
  EXPECT_EQ(MakePreviewCopy(Work(), Stored("v", video), copy, Percents::Callback, &percents),
            Result::Stopped());
  EXPECT_EQ(percents.seen, (std::vector<int32_t>{32, 100}));
  EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.avi"));
}

TEST_F(PreviewCopyTest, UnknownTypesGiveMissingFileAndCopyNothing) {
  const std::vector<std::string> unknown = {
      mkbackup::CameraRawImage(random_), mkbackup::OpusVoiceNote(random_),
      mkbackup::JfifJpeg(random_, 16, 16).substr(0, 400),  // shorter than 512 bytes
  };
  for (const std::string& bytes : unknown) {
    Percents percents;
    std::string copy = "untouched";
    EXPECT_EQ(MakePreviewCopy(Work(), Stored("u", bytes), copy, Percents::Callback, &percents),
              Result(kMissingFile));
    EXPECT_EQ(copy, "untouched");
    EXPECT_EQ(percents.seen, (std::vector<int32_t>{100}));
  }
  std::string copy;
  EXPECT_EQ(MakePreviewCopy(Work(), backup_ / "missing", copy, nullptr, nullptr),
            Result(kMissingFile));
  EXPECT_EQ(
      MakePreviewCopy("", Stored("p", mkbackup::PngImage(random_, 40, 40)), copy, nullptr, nullptr),
      Result(kMissingFile));
  EXPECT_TRUE(std::filesystem::is_empty(work_.path()));
}

TEST_F(PreviewCopyTest, TheParserCopiesIntoItsWorkFolder) {
  test::ScopedEnv dataHome("XDG_DATA_HOME", backup_.path().c_str());
  CBackupParser parser(work_ / "own");
  EXPECT_EQ(parser.WorkFolder(), work_ / "own/");
  std::string jpeg = mkbackup::JfifJpeg(random_, 20, 20);
  std::string copy;
  EXPECT_EQ(parser.MakePreviewCopy(Stored("j", jpeg), copy, nullptr, nullptr), kResultOk);
  EXPECT_EQ(copy, work_ / "own/tmp.jpg");
  EXPECT_EQ(ReadFile(copy), jpeg);
}

}  // namespace
}  // namespace zbe
