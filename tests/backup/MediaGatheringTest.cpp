// The media reads of the parser (camera roll and photo stream, message attachments, app media,
// WhatsApp attachments) on generated backups: what is listed, under which names, in which
// order, with which progress reports, and how a stop ends a walk.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "backup/CBackupParser.h"
#include "backup/Sha1.h"
#include "records/ResultCodes.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe {
namespace {

using mkbackup::SampleBackup;
using test::ScopedEnv;
using test::TempFolder;

constexpr int64_t kJan2020 = 1580512205;

// Records the progress reports; answers what "answer" says (0 by default).
struct Progress {
  std::vector<int32_t> reports;
  std::function<int32_t(int32_t progress, size_t count)> answer;
  static int32_t Callback(void* userData, int32_t progress) {
    auto* self = static_cast<Progress*>(userData);
    self->reports.push_back(progress);
    return self->answer ? self->answer(progress, self->reports.size()) : 0;
  }
  // The reports made since the first "skip" ones.
  std::vector<int32_t> After(size_t skip) const {
    return {reports.begin() + static_cast<std::ptrdiff_t>(skip), reports.end()};
  }
};

template <typename Item>
std::vector<std::string> Names(const std::vector<Item>& items) {
  std::vector<std::string> names;
  for (const Item& item : items) {
    names.push_back(item.name);
  }
  return names;
}

class MediaGatheringTest : public ::testing::Test {
 protected:
  MediaGatheringTest() : sample_(1, kJan2020), random_(7) {}

  // Writes "sample_" to a new backup folder and opens it with progress reports recorded.
  void Open(mkbackup::ManifestLayout layout = mkbackup::ManifestLayout::kDatabase) {
    folder_ = backups_ / std::to_string(opened_++);
    test::WriteSample(sample_, folder_, layout);
    if (!parser_) {
      parser_ = std::make_unique<CBackupParser>();
    }
    BackupSummary summary;
    ASSERT_EQ(parser_->ReadBackupSummary(folder_, summary), kResultOk);
    parser_->SetBackup(summary);
    parser_->SetProgressCallback(Progress::Callback, &progress_);
    ASSERT_EQ(parser_->Open(""), kResultOk);
    ASSERT_EQ(progress_.reports.back(), 12);
    progress_.reports.clear();
  }

  std::string Stored(const std::string& manifestPath) const {
    return parser_->StoredFilePath(Sha1Hex(manifestPath));
  }

  std::string Jpeg() { return mkbackup::JfifJpeg(random_, 32, 24); }
  std::string Png() { return mkbackup::PngImage(random_, 32, 32); }

  TempFolder home_;
  TempFolder backups_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  SampleBackup sample_;
  mkbackup::SampleRandom random_;
  std::string folder_;
  int opened_ = 0;
  std::unique_ptr<CBackupParser> parser_;
  Progress progress_;
};

TEST_F(MediaGatheringTest, CameraRollListsRecognisedFilesUnderTheirOwnNamesSorted) {
  std::string jpeg = mkbackup::ExifJpeg(random_, 48, 32);
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0003.JPG", jpeg);
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/img_0002.mov",
                  mkbackup::MovVideo(random_, 900));
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.HEIC",
                  mkbackup::HeicImage(random_, 32, 32));
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0005.JPG",
                  mkbackup::BareJpeg(random_, 32, 32));
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0006.CR3",
                  mkbackup::CameraRawImage(random_));
  sample_.AddFile("CameraRollDomain", "Media/DCIM/101APPLE/IMG_0004.PNG", Png());
  sample_.AddFile("CameraRollDomain", "Media/DCIM/.MISC/Info.plist", std::string(600, 'x'));
  sample_.AddFile("MediaDomain", "Media/PhotoStreamsData/123/100APPLE/IMG_0010.JPG", Jpeg());
  sample_.AddFile("MediaDomain", "Media/PhotoStreamsData/123/100APPLE/IMG_0009.jpg", Jpeg());
  sample_.AddFile("MediaDomain", "Media/PhotoStreamsData/123/100APPLE/b.PNG", Png());
  // Outside both places.
  sample_.AddFile("CameraRollDomain", "Media/PhotoData/Thumbnails/1.JPG", Jpeg());
  for (auto layout : {mkbackup::ManifestLayout::kDatabase, mkbackup::ManifestLayout::kMbdb}) {
    Open(layout);
    std::vector<MediaFileItem> roll;
    std::vector<MediaFileItem> stream;
    EXPECT_EQ(parser_->ReadCameraRoll(roll, stream), kResultOk);
    EXPECT_EQ(Names(roll),
              (std::vector<std::string>{"IMG_0001.HEIC", "img_0002.mov", "IMG_0003.JPG",
                                        "IMG_0004.PNG", "IMG_0005.JPG"}));
    EXPECT_EQ(Names(stream), (std::vector<std::string>{"b.PNG", "IMG_0009.jpg", "IMG_0010.JPG"}));
    ASSERT_EQ(roll.size(), 5u);
    EXPECT_EQ(roll[2].size, jpeg.size());
    EXPECT_EQ(roll[2].path, Stored("CameraRollDomain-Media/DCIM/100APPLE/IMG_0003.JPG"));
    EXPECT_EQ(test::ReadFile(roll[2].path), jpeg);
    EXPECT_EQ(parser_->runningProgress(), 12 + 22);
  }
}

TEST_F(MediaGatheringTest, CameraRollReportsEveryEntryButItsMissingOnes) {
  // Manifest: CameraRollDomain-, -Media, -Media/DCIM, -Media/DCIM/100APPLE (a folder inside the
  // roll: no stored file, no report), IMG_0001.JPG, IMG_0002.HEIC. N = 6, 5 reports.
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0001.JPG", Jpeg());
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/IMG_0002.HEIC",
                  mkbackup::HeicImage(random_, 16, 16));
  Open();
  ASSERT_EQ(parser_->manifest().size(), 6u);
  std::vector<MediaFileItem> roll;
  std::vector<MediaFileItem> stream;
  EXPECT_EQ(parser_->ReadCameraRoll(roll, stream), kResultOk);
  // 12 + 22 × k / 6, then 12 + 22.
  EXPECT_EQ(progress_.reports, (std::vector<int32_t>{15, 19, 23, 26, 30, 34}));

  // Nothing matches "/Attachments/": every entry reports, 34 + 11 × k / 6, then 34 + 11.
  progress_.reports.clear();
  std::vector<AttachmentItem> attachments;
  EXPECT_EQ(parser_->ReadMessageAttachments(attachments), kResultOk);
  EXPECT_EQ(progress_.reports, (std::vector<int32_t>{35, 37, 39, 41, 43, 45, 45}));
  EXPECT_TRUE(attachments.empty());
}

TEST_F(MediaGatheringTest, AStopEndsTheWalkAtThatReportAndLeavesTheListUnsorted) {
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/b.JPG", Jpeg());
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/a.JPG", Jpeg());
  sample_.AddFile("HomeDomain", "Library/x.txt", "x");
  Open();
  // Reports 1 to 3 are the folders; 4 and 5 follow b.JPG and a.JPG.
  progress_.answer = [](int32_t, size_t count) { return count == 5 ? kResultStopped : 0; };
  std::vector<MediaFileItem> roll;
  std::vector<MediaFileItem> stream;
  EXPECT_EQ(parser_->ReadCameraRoll(roll, stream), kResultStopped);
  EXPECT_EQ(progress_.reports.size(), 5u);
  EXPECT_EQ(Names(roll), (std::vector<std::string>{"b.JPG", "a.JPG"}));
  EXPECT_EQ(parser_->runningProgress(), 12);

  progress_.reports.clear();
  progress_.answer = [](int32_t, size_t) { return kResultStopped; };
  std::vector<AppMediaItem> media;
  EXPECT_EQ(parser_->ReadAppMedia(media), kResultStopped);
  std::vector<AttachmentItem> attachments;
  EXPECT_EQ(parser_->ReadMessageAttachments(attachments), kResultStopped);
  EXPECT_EQ(progress_.reports.size(), 2u);
}

TEST_F(MediaGatheringTest, OnlyTheCameraRollHandsOutTheAnswerToItsFinalReport) {
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/b.JPG", Jpeg());
  sample_.AddFile("CameraRollDomain", "Media/DCIM/100APPLE/a.JPG", Jpeg());
  Open();
  // Stop only at a total that is reached by a final report.
  progress_.answer = [this](int32_t progress, size_t) {
    return progress == parser_->runningProgress() && progress > 12 ? kResultStopped : 0;
  };
  std::vector<MediaFileItem> roll;
  std::vector<MediaFileItem> stream;
  EXPECT_EQ(parser_->ReadCameraRoll(roll, stream), kResultStopped);
  EXPECT_EQ(Names(roll), (std::vector<std::string>{"a.JPG", "b.JPG"}));
  std::vector<AttachmentItem> attachments;
  EXPECT_EQ(parser_->ReadMessageAttachments(attachments), kResultOk);
  std::vector<AppMediaItem> media;
  EXPECT_EQ(parser_->ReadAppMedia(media), kResultOk);
  std::vector<MediaFileItem> whatsApp;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultStopped);
  EXPECT_EQ(parser_->runningProgress(), 12 + 22 + 11 + 11 + 11);
}

TEST_F(MediaGatheringTest, AttachmentsAreNamedByTheirDetectedType) {
  const std::string folder = "Library/SMS/Attachments/0a/03/";
  std::string heicHoldingJpeg = Jpeg();
  sample_.AddFile("MediaDomain", folder + "A1/IMG_0001.HEIC", heicHoldingJpeg);
  std::string heic = mkbackup::HeicImage(random_, 24, 16);
  sample_.AddFile("MediaDomain", folder + "A2/IMG_0002.HEIC", heic);
  sample_.AddFile("MediaDomain", folder + "A3/Screenshot.png", Png());
  sample_.AddFile("MediaDomain", folder + "A4/img_0003.jpeg", mkbackup::ExifJpeg(random_, 8, 8));
  sample_.AddFile("MediaDomain", folder + "A5/photo", Jpeg());
  sample_.AddFile("MediaDomain", folder + "A6/clip.mp4", mkbackup::MovVideo(random_, 700));
  sample_.AddFile("MediaDomain", folder + "A7/Card.vcf", std::string(700, 'v'));
  sample_.AddFile("MediaDomain", folder + "A8/tiny.jpg", Jpeg().substr(0, 300));
  Open();
  std::vector<AttachmentItem> attachments;
  EXPECT_EQ(parser_->ReadMessageAttachments(attachments), kResultOk);
  EXPECT_EQ(Names(attachments),
            (std::vector<std::string>{"clip.MOV", "IMG_0001.JPG", "IMG_0002.HEIC", "img_0003.JPG",
                                      "photo.JPG", "Screenshot.PNG"}));
  ASSERT_EQ(attachments.size(), 6u);
  EXPECT_EQ(attachments[1].path, Stored("MediaDomain-" + folder + "A1/IMG_0001.HEIC"));
  EXPECT_EQ(attachments[1].size, heicHoldingJpeg.size());
  EXPECT_EQ(attachments[2].size, heic.size());
}

TEST_F(MediaGatheringTest, AppMediaGoesByAppAndWhatsAppFilesGoApart) {
  sample_.AddFile("AppDomain-com.example.photos", "Documents/b.jpg", Jpeg());
  sample_.AddFile("AppDomain-com.example.photos", "Documents/Clip.Mov",
                  mkbackup::MovVideo(random_, 800));
  sample_.AddFile("AppDomain-com.example.photos", "Documents/notes.txt", std::string(900, 't'));
  sample_.AddFile("AppDomain-net.example.radio", "Documents/Cover.png", Png());
  sample_.AddFile("AppDomain-org.example.viewer", "Documents/com.pic.jpg", Jpeg());
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/x.jpg",
                  Jpeg());
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/V.mp4",
                  mkbackup::Mp4Video(random_, 800));
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/e.jpg", "");
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/n.opus",
                  mkbackup::OpusVoiceNote(random_));
  // Not app domains.
  sample_.AddFile("AppDomainGroup-group.com.example.photos", "Documents/g.jpg", Jpeg());
  sample_.AddFile("HomeDomain", "Library/com.example.photos-x/h.jpg", Jpeg());
  Open();
  size_t entries = parser_->manifest().size();
  std::vector<AppMediaItem> media;
  EXPECT_EQ(parser_->ReadAppMedia(media), kResultOk);
  std::vector<std::string> listed;
  for (const AppMediaItem& item : media) {
    listed.push_back(item.app + ":" + item.name);
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"example.photos:b.JPG", "example.photos:Clip.MOV",
                                              "other:com.pic.JPG", "example.radio:Cover.PNG"}));
  // Every entry reports (up to 12 + 22), then the weight alone is added: 12 + 11.
  ASSERT_EQ(progress_.reports.size(), entries + 1);
  EXPECT_EQ(progress_.reports[entries - 1], 12 + 22);
  EXPECT_EQ(progress_.reports.back(), 12 + 11);

  std::vector<MediaFileItem> whatsApp;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultOk);
  EXPECT_EQ(Names(whatsApp), (std::vector<std::string>{"V.MP4", "x.JPG"}));
  EXPECT_EQ(progress_.reports.back(), 12 + 11 + 11);
  // Handed out again, unchanged, as long as no other backup is opened.
  std::vector<MediaFileItem> again;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(again), kResultOk);
  EXPECT_EQ(Names(again), Names(whatsApp));
}

TEST_F(MediaGatheringTest, WhatsAppMediaOfTheAppGroupAreAttachmentsToo) {
  const std::string group = "AppDomainGroup-group.net.whatsapp.WhatsApp.shared";
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/old.jpg",
                  Jpeg());
  sample_.AddFile(group, "Message/Media/1@s.whatsapp.net/a/b/ab12.jpg", Jpeg());
  sample_.AddFile(group, "Message/Media/2@g.us/c/d/cd34.mp4", mkbackup::Mp4Video(random_, 800));
  sample_.AddFile(group, "Message/Media/2@g.us/e/f/ef56.jpg", "");  // never downloaded
  sample_.AddFile(group, "Message/Media/2@g.us/e/f/ef57.opus", mkbackup::OpusVoiceNote(random_));
  // The group's other files, and domains that only look alike.
  sample_.AddFile(group, "Media/Profile/1@s.whatsapp.net-1.jpg", Jpeg());
  sample_.AddFile(group, "Message/Mediax/m.jpg", Jpeg());
  sample_.AddFile(group + "X", "Message/Media/x.jpg", Jpeg());
  sample_.AddFile("AppDomainGroup-group.net.whatsapp.WhatsAppSMB.shared", "Message/Media/s.jpg",
                  Jpeg());
  sample_.AddFile("HomeDomain", group + "-Message/Media/h.jpg", Jpeg());
  Open();
  std::vector<MediaFileItem> whatsApp;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultOk);
  EXPECT_EQ(Names(whatsApp), (std::vector<std::string>{"ab12.JPG", "cd34.MP4", "old.JPG"}));
  EXPECT_EQ(whatsApp[0].path, Stored(group + "-Message/Media/1@s.whatsapp.net/a/b/ab12.jpg"));
  // The same when the app media are read first; none of them is an app's photo.
  std::vector<AppMediaItem> media;
  EXPECT_EQ(parser_->ReadAppMedia(media), kResultOk);
  EXPECT_TRUE(media.empty());
  std::vector<MediaFileItem> again;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(again), kResultOk);
  EXPECT_EQ(Names(again), Names(whatsApp));
}

TEST_F(MediaGatheringTest, WhatsAppAttachmentsAreGatheredWhenTheAppMediaWereNotRead) {
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/2@g.us/b.jpg", Jpeg());
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/2@g.us/A.png", Png());
  sample_.AddFile("AppDomain-com.example.photos", "Documents/p.jpg", Jpeg());
  Open();
  std::string first = folder_;
  size_t entries = parser_->manifest().size();
  std::vector<MediaFileItem> whatsApp;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultOk);
  EXPECT_EQ(Names(whatsApp), (std::vector<std::string>{"A.PNG", "b.JPG"}));
  // One report per entry within this step's weight, then the weight is added.
  ASSERT_EQ(progress_.reports.size(), entries + 1);
  EXPECT_EQ(progress_.reports[entries - 1], 12 + 11);
  EXPECT_EQ(progress_.reports.back(), 12 + 11);

  // A second backup with other attachments: the first one's are never handed out for it,
  // even after its app media were read.
  std::vector<AppMediaItem> media;
  EXPECT_EQ(parser_->ReadAppMedia(media), kResultOk);
  sample_ = SampleBackup(2, kJan2020);
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/3@g.us/c.jpg", Jpeg());
  Open();
  whatsApp.clear();
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultOk);
  ASSERT_EQ(Names(whatsApp), (std::vector<std::string>{"c.JPG"}));
  EXPECT_EQ(whatsApp[0].path.rfind(folder_, 0), 0u);
  EXPECT_NE(folder_, first);
}

TEST_F(MediaGatheringTest, AWhatsAppAttachmentOfFourGibibytesIsListed) {
  sample_.AddFile("AppDomain-net.whatsapp.WhatsApp", "Library/Media/1@s.whatsapp.net/big.mp4",
                  mkbackup::Mp4Video(random_, 800));
  Open();
  std::string stored =
      Stored("AppDomain-net.whatsapp.WhatsApp-Library/Media/1@s.whatsapp.net/big.mp4");
  if (truncate(stored.c_str(), 4LL << 30) != 0) {
    GTEST_SKIP() << "no sparse file of 4 GiB here";
  }
  std::vector<MediaFileItem> whatsApp;
  EXPECT_EQ(parser_->ReadWhatsAppAttachments(whatsApp), kResultOk);
  ASSERT_EQ(whatsApp.size(), 1u);
  EXPECT_EQ(whatsApp[0].size, 0u);  // the low 32 bits of the size
}

TEST(MediaGatheringReal, FindsNoMediaAmongTheStoredFilesOfTheRealBackup) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  if (!std::filesystem::exists(folder + "/Manifest.db")) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  TempFolder home;
  ScopedEnv dataHome("XDG_DATA_HOME", home.path().c_str());
  CBackupParser parser;
  BackupSummary summary;
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  parser.SetBackup(summary);
  ASSERT_EQ(parser.Open(""), kResultOk);
  std::vector<MediaFileItem> roll, stream, whatsApp;
  std::vector<AttachmentItem> attachments;
  std::vector<AppMediaItem> media;
  // 1192 app files are listed, but only databases are stored (and none of them is media).
  EXPECT_EQ(parser.ReadCameraRoll(roll, stream), kResultOk);
  EXPECT_EQ(parser.ReadMessageAttachments(attachments), kResultOk);
  EXPECT_EQ(parser.ReadAppMedia(media), kResultOk);
  EXPECT_EQ(parser.ReadWhatsAppAttachments(whatsApp), kResultOk);
  EXPECT_TRUE(roll.empty() && stream.empty() && attachments.empty() && media.empty() &&
              whatsApp.empty());
  EXPECT_EQ(parser.runningProgress(), 12 + 22 + 11 + 11 + 11);
}

}  // namespace
}  // namespace zbe
