// The scan session: which operations it calls for which categories and in which order, what it
// fills, how a stop or a failure ends or does not end the scan, and its progress.

#include "backup/ScanSession.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "backup/CBackupParser.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;
using test::TempFolder;

constexpr int64_t kJan2020 = 1580512205;

bool IsFileCategory(RecordCategory category) {
  switch (category) {
    case RecordCategory::kCameraRoll:
    case RecordCategory::kPhotoStream:
    case RecordCategory::kAppPhotos:
    case RecordCategory::kAppVideos:
    case RecordCategory::kMessageAttachments:
    case RecordCategory::kWhatsAppAttachments:
      return true;
    default:
      return false;
  }
}

// Records what the session tells: reports, Open's result and the populated categories (file
// categories with their count, which the media of the sample fix).
class Recorder : public ScanObserver {
 public:
  int32_t OnProgress(int32_t progress) override {
    reports.push_back(progress);
    if (stopping) {
      return kResultStopped;
    }
    return answer ? answer(progress) : 0;
  }
  void OnOpened(int32_t result) override { events.push_back("open " + std::to_string(result)); }
  void OnCategoryPopulated(RecordCategory category, const ScanResults& results) override {
    std::string event(CategoryInfo(category).name);
    if (IsFileCategory(category)) {
      event += " " + std::to_string(CategoryCount(results, category));
    }
    events.push_back(event);
    populated.push_back(category);
    stopping = stopping || stopAfter == category;
  }

  std::vector<int32_t> reports;
  std::vector<std::string> events;
  std::vector<RecordCategory> populated;
  std::function<int32_t(int32_t)> answer;
  std::optional<RecordCategory> stopAfter;  // answer 2 from the first report after it
  bool stopping = false;
};

// The built-in sample as mkbackup writes it, record databases included.
mkbackup::SampleBackup FullSample() {
  mkbackup::SampleOptions options;
  options.lastBackupDate = kJan2020;
  return mkbackup::MakeSampleBackup(options);
}

CategorySet Only(std::initializer_list<RecordCategory> categories) {
  CategorySet set;
  for (RecordCategory category : categories) {
    set.Add(category);
  }
  return set;
}

class ScanSessionTest : public ::testing::Test {
 protected:
  // Writes "sample" and returns its summary.
  BackupSummary Write(const mkbackup::SampleBackup& sample,
                      mkbackup::ManifestLayout layout = mkbackup::ManifestLayout::kDatabase) {
    std::string folder = backups_ / std::to_string(written_++);
    test::WriteSample(sample, folder, layout);
    BackupSummary summary;
    EXPECT_EQ(parser_.ReadBackupSummary(folder, summary), kResultOk);
    return summary;
  }

  TempFolder home_;
  TempFolder backups_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
  int written_ = 0;
  CBackupParser parser_;
  Recorder recorder_;
};

TEST_F(ScanSessionTest, ReadsTheChosenCategoriesInTheFixedOrder) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);
  session.Run(summary, "", CategorySet::All());
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"open 0", "Camera Roll 12", "Photo Stream 5", "Messages",
                                      "Message Attachments 5", "Contacts", "Call History", "Notes",
                                      "App Photos 4", "App Videos 4", "WhatsApp",
                                      "WhatsApp Attachments 7"}));
  const ScanResults& results = session.results();
  EXPECT_EQ(results.openResult, kResultOk);
  for (RecordCategory category : recorder_.populated) {
    EXPECT_TRUE(results.categoryResults[static_cast<size_t>(category)].has_value());
  }
  for (RecordCategory unread :
       {RecordCategory::kReminder, RecordCategory::kCalendar, RecordCategory::kSafariBookmark}) {
    EXPECT_FALSE(results.categoryResults[static_cast<size_t>(unread)].has_value());
  }
  EXPECT_EQ(recorder_.reports.front(), 0);
  EXPECT_EQ(results.appMedia.size(), 8u);
}

TEST_F(ScanSessionTest, SplitsAppMediaIntoPhotosAndVideosByApp) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);
  session.Run(summary, "", Only({RecordCategory::kAppPhotos, RecordCategory::kAppVideos}));
  const ScanResults& results = session.results();
  auto names = [](const std::vector<AppMediaItem>& items) {
    std::string joined;
    for (const AppMediaItem& item : items) {
      joined += item.name + " ";
    }
    return joined;
  };
  ASSERT_EQ(results.appPhotos.size(), 2u);
  EXPECT_EQ(names(results.appPhotos.at("example.photoframe")),
            "Export 1.PNG frame_001.JPG frame_002.JPG ");
  EXPECT_EQ(names(results.appPhotos.at("sample.clipmaker")), "clip_001.JPG ");
  ASSERT_EQ(results.appVideos.size(), 1u);
  EXPECT_EQ(names(results.appVideos.at("sample.clipmaker")),
            "clip_001.MP4 TAKE_001.MOV tone_001.WAV voiceover_001.MP3 ");
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0", "App Photos 4", "App Videos 4"}));
}

TEST_F(ScanSessionTest, ConditionsDecideWhichOperationsRunAndWhatIsKept) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);

  session.Run(summary, "", Only({RecordCategory::kPhotoStream}));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0", "Photo Stream 5"}));
  EXPECT_TRUE(session.results().cameraRoll.empty());
  EXPECT_EQ(recorder_.reports.back(), 12 + 22);

  recorder_ = Recorder();
  session.Run(summary, "", Only({RecordCategory::kAppVideos}));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0", "App Videos 4"}));
  EXPECT_TRUE(session.results().appPhotos.empty());
  EXPECT_TRUE(session.results().photoStream.empty());  // emptied at the start of a run

  // Categories without a reader open the backup and read nothing.
  recorder_ = Recorder();
  EXPECT_EQ(session.Run(summary, "", Only({RecordCategory::kReminder, RecordCategory::kCalendar})),
            kResultOk);
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0"}));
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{0, 1, 12}));
}

TEST_F(ScanSessionTest, WhatsAppAttachmentsAloneAreStillFound) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);
  session.Run(summary, "", Only({RecordCategory::kWhatsAppAttachments}));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0", "WhatsApp Attachments 7"}));
  EXPECT_EQ(recorder_.reports.back(), 12 + 11);
}

TEST_F(ScanSessionTest, TheRunGivesTheResultOfItsLastOperation) {
  mkbackup::SampleBackup sample = test::MakeSample(1, kJan2020);
  // A damaged address book (still an SQLite header, so the backup does not pass for encrypted).
  sample.AddFile("HomeDomain", "Library/AddressBook/AddressBook.sqlitedb",
                 std::string("SQLite format 3\0", 16) + std::string(3000, '\x17'));
  BackupSummary summary = Write(sample);
  ScanSession session(parser_, &recorder_);
  int32_t result =
      session.Run(summary, "", Only({RecordCategory::kCameraRoll, RecordCategory::kContacts}));
  EXPECT_NE(result, kResultOk);
  EXPECT_EQ(result,
            session.results().categoryResults[static_cast<size_t>(RecordCategory::kContacts)]);
  EXPECT_EQ(session.results().result, result);
  EXPECT_EQ(session.results().cameraRoll.size(), 12u);
}

TEST_F(ScanSessionTest, AFailedOpenStillReadsTheCategories) {
  std::string folder = backups_ / "no-manifest";
  test::WriteFile(folder + "/Info.plist", "<key>Display Name</key>\n<string>x</string>\n");
  BackupSummary summary;
  ASSERT_EQ(parser_.ReadBackupSummary(folder, summary), kResultOk);
  ScanSession session(parser_, &recorder_);
  EXPECT_EQ(session.Run(summary, "",
                        Only({RecordCategory::kCameraRoll, RecordCategory::kWhatsAppAttachments})),
            kResultOk);
  EXPECT_EQ(session.results().openResult, kResultMissingFile);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"open 87", "Camera Roll 0", "WhatsApp Attachments 0"}));
  EXPECT_EQ(recorder_.reports.back(), 12 + 22 + 11);
}

TEST_F(ScanSessionTest, AStopAtTheFirstMediaReportEndsTheScan) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);
  // Open's own reports (0, 1, 12) are not heeded; the camera roll's first one is.
  recorder_.answer = [](int32_t) { return kResultStopped; };
  EXPECT_EQ(session.Run(summary, "", CategorySet::All()), kResultStopped);
  EXPECT_EQ(recorder_.reports.size(), 4u);
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"open 0"}));
  EXPECT_EQ(session.results().result, kResultStopped);
  for (const auto& result : session.results().categoryResults) {
    EXPECT_FALSE(result.has_value());
  }
}

TEST_F(ScanSessionTest, AStopInTheAppMediaKeepsTheCategoriesReadBefore) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  ScanSession session(parser_, &recorder_);
  // From the first report after Notes: ReadAppMedia's first entry.
  recorder_.stopAfter = RecordCategory::kNotes;
  EXPECT_EQ(session.Run(summary, "", CategorySet::All()), kResultStopped);
  EXPECT_EQ(recorder_.events.back(), "Notes");
  EXPECT_EQ(recorder_.events.size(), 8u);
  const ScanResults& results = session.results();
  EXPECT_FALSE(results.categoryResults[static_cast<size_t>(RecordCategory::kAppPhotos)]);
  EXPECT_TRUE(results.appPhotos.empty());
  EXPECT_EQ(results.cameraRoll.size(), 12u);
  EXPECT_EQ(results.messageAttachments.size(), 5u);
}

TEST_F(ScanSessionTest, OwnsItsSourceAndLeavesTheParserQuietWhenGone) {
  BackupSummary summary = Write(test::MakeSample(1, kJan2020));
  {
    ScanSession session(parser_, &recorder_);
    EXPECT_EQ(session.source(), nullptr);
    session.Run(summary, "", Only({RecordCategory::kCameraRoll}));
    ASSERT_NE(session.source(), nullptr);
    std::string copy = backups_ / "copy";
    EXPECT_EQ(session.source()->CopyStoredFile(session.results().cameraRoll[0].path, copy, nullptr,
                                               nullptr),
              kResultOk);
  }
  // The parser and its manifest stay; its reports no longer reach the gone session.
  size_t reports = recorder_.reports.size();
  EXPECT_FALSE(parser_.manifest().empty());
  std::vector<MediaFileItem> roll, stream;
  EXPECT_EQ(parser_.ReadCameraRoll(roll, stream), kResultOk);
  EXPECT_EQ(roll.size(), 12u);
  EXPECT_EQ(recorder_.reports.size(), reports);
}

TEST_F(ScanSessionTest, AFullScanLeavesTheBackupAsItWas) {
  for (auto layout : {mkbackup::ManifestLayout::kDatabase, mkbackup::ManifestLayout::kMbdb}) {
    BackupSummary summary = Write(test::MakeSample(1, kJan2020), layout);
    test::FolderSnapshot before = test::SnapshotFolder(summary.folderPath);
    ScanSession session(parser_, &recorder_);
    session.Run(summary, "", CategorySet::All());
    EXPECT_EQ(session.results().cameraRoll.size(), 12u);
    EXPECT_EQ(test::SnapshotFolder(summary.folderPath), before);
  }
}

// Every category of the full sample has records, and the progress ends at 98.
TEST_F(ScanSessionTest, AFullScanOfAPlainBackupReports98AtTheEnd) {
  BackupSummary summary = Write(FullSample());
  ScanSession session(parser_, &recorder_);
  EXPECT_EQ(session.Run(summary, "", CategorySet::All()), kResultOk);
  EXPECT_EQ(recorder_.reports.back(), 98);
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (info.hasReader()) {
      EXPECT_GT(CategoryCount(session.results(), info.category), 0u) << info.name;
      EXPECT_EQ(session.results().categoryResults[static_cast<size_t>(info.category)], kResultOk)
          << info.name;
    }
  }
  const ScanResults& results = session.results();
  EXPECT_EQ(results.conversationRows.size(), results.messages.size());
  EXPECT_EQ(results.chatRows.size(), results.whatsApp.size());
  ASSERT_FALSE(results.conversationRows.empty());
  EXPECT_EQ(results.conversationRows.front().rowId, results.messages.begin()->second.back().rowId);
}

// For each database of a record category, a backup in which it is damaged: that category fails and
// finds nothing, every other category is read as usual.
TEST_F(ScanSessionTest, ADamagedDatabaseFailsOnlyItsOwnCategory) {
  const std::vector<std::pair<RecordCategory, std::vector<std::string>>> databases = {
      {RecordCategory::kMessages, {"Library/SMS/sms.db"}},
      {RecordCategory::kContacts, {"Library/AddressBook/AddressBook.sqlitedb"}},
      {RecordCategory::kCallHistory,
       {"Library/CallHistoryDB/CallHistory.storedata", "Library/CallHistory/call_history.db"}},
      {RecordCategory::kNotes, {"NoteStore.sqlite", "Library/Notes/notes.sqlite"}},
      {RecordCategory::kWhatsApp, {"ChatStorage.sqlite"}},
  };
  for (const auto& [damaged, paths] : databases) {
    mkbackup::SampleBackup sample = FullSample();
    int found = 0;
    for (mkbackup::StoredFile& file : sample.files()) {
      for (const std::string& path : paths) {
        if (file.relativePath == path) {
          // Still an SQLite header (so the backup does not pass for encrypted), then garbage.
          file.contents = std::string("SQLite format 3\0", 16) + std::string(4096, '\x5A');
          ++found;
        }
      }
    }
    ASSERT_GT(found, 0) << CategoryInfo(damaged).name;
    BackupSummary summary = Write(sample);
    ScanSession session(parser_, &recorder_);
    session.Run(summary, "", CategorySet::All());
    const ScanResults& results = session.results();
    for (const RecordCategoryInfo& info : RecordCategories()) {
      if (!info.hasReader()) {
        continue;
      }
      const auto& result = results.categoryResults[static_cast<size_t>(info.category)];
      ASSERT_TRUE(result.has_value()) << info.name;
      if (info.category == damaged) {
        EXPECT_NE(*result, kResultOk) << info.name;
        EXPECT_EQ(CategoryCount(results, info.category), 0u) << info.name;
      } else {
        EXPECT_GT(CategoryCount(results, info.category), 0u)
            << info.name << " with " << CategoryInfo(damaged).name << " damaged";
      }
    }
  }
}

TEST(ScanSessionReal, ScansTheRealBackup) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  if (!std::filesystem::exists(folder + "/Manifest.db")) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  TempFolder home;
  ScopedEnv dataHome("XDG_DATA_HOME", home.path().c_str());
  test::FolderSnapshot before = test::SnapshotFolder(folder);
  CBackupParser parser;
  BackupSummary summary;
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  Recorder recorder;
  ScanSession session(parser, &recorder);
  session.Run(summary, "", CategorySet::All());
  const ScanResults& results = session.results();
  EXPECT_EQ(results.openResult, kResultOk);
  EXPECT_EQ(recorder.populated.size(), 11u);
  for (RecordCategory media :
       {RecordCategory::kCameraRoll, RecordCategory::kPhotoStream, RecordCategory::kAppPhotos,
        RecordCategory::kAppVideos, RecordCategory::kMessageAttachments,
        RecordCategory::kWhatsAppAttachments}) {
    EXPECT_EQ(CategoryCount(results, media), 0u);
    EXPECT_EQ(results.categoryResults[static_cast<size_t>(media)], kResultOk);
  }
  EXPECT_EQ(test::SnapshotFolder(folder), before);
}

}  // namespace
}  // namespace zbe
