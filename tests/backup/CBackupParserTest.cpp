#include "backup/CBackupParser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "backup/Sha1.h"
#include "records/ResultCodes.h"
#include "support/ProgressReports.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

constexpr int64_t kJan2020 = 1580512205;  // 2020-01-31T23:10:05Z
constexpr int64_t kJun2021 = 1622541600;  // 2021-06-01T10:00:00Z

using Progress = test::ProgressReports;

// A home folder (XDG_DATA_HOME) of its own for every test, in UTC.
class ParserTest : public ::testing::Test {
 protected:
  std::string Root() const { return test::MobileSyncRootIn(home_.path()); }
  std::string Work() const { return home_.path() + "/ZorvaneBackupExtractor/"; }

  // Writes a sample backup into the MobileSync root and returns its folder.
  std::string AddBackup(const std::string& id, const mkbackup::SampleBackup& sample,
                        mkbackup::ManifestLayout layout = mkbackup::ManifestLayout::kDatabase) {
    std::string folder = Root() + "/" + id;
    test::WriteSample(sample, folder, layout);
    return folder;
  }

  // Reads the summary of "folder" and selects it in "parser".
  void Select(CBackupParser& parser, const std::string& folder) {
    BackupSummary summary;
    ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
    ASSERT_EQ(parser.SetBackup(summary), kResultOk);
  }

  TempFolder home_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
};

TEST_F(ParserTest, CreatesAPrivateWorkFolder) {
  CBackupParser parser;
  EXPECT_EQ(parser.WorkFolder(), Work());
  struct stat info {};
  ASSERT_EQ(stat(Work().c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(parser.runningProgress(), 0);
  EXPECT_EQ(parser.stepWeight(), 0);
}

TEST_F(ParserTest, DeletesPreviewCopiesWhenBuiltAndDestroyed) {
  for (const char* name : {"tmp.jpg", "tmp.avi", "tmp.wav", "tool", "keep.txt"}) {
    WriteFile(Work() + name, "x");
  }
  {
    CBackupParser parser;
    EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.jpg"));
    EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.avi"));
    EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.wav"));
    EXPECT_TRUE(std::filesystem::exists(Work() + "tool"));
    EXPECT_TRUE(std::filesystem::exists(Work() + "keep.txt"));
    WriteFile(Work() + "tmp.jpg", "a preview made while running");
  }
  EXPECT_FALSE(std::filesystem::exists(Work() + "tmp.jpg"));
  EXPECT_TRUE(std::filesystem::exists(Work() + "keep.txt"));
}

TEST_F(ParserTest, DiscoversTheEntriesOfTheMobileSyncRoot) {
  std::string older = AddBackup("bbbb", test::MakeSample(1, kJan2020));
  std::string newer = AddBackup("aaaa", test::MakeSample(2, kJun2021));
  WriteFile(Root() + "/.DS_Store", "");
  WriteFile(Root() + "/stray.txt", "");
  CBackupParser parser;
  EXPECT_EQ(parser.backupFolder(), Root() + "/");
  EXPECT_EQ(parser.discoveredFolders(),
            (std::vector<std::string>{newer, older, Root() + "/stray.txt"}));
  std::vector<BackupSummary> summaries;
  ASSERT_EQ(parser.ReadBackupSummaries(summaries), kResultOk);
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_EQ(summaries[0].folderPath, newer);
  EXPECT_EQ(summaries[0].lastBackupDate, "2021-06-01 10:00:00");
  EXPECT_EQ(summaries[1].folderPath, older);
  EXPECT_FALSE(summaries[1].encrypted);
  EXPECT_TRUE(summaries[1].modernVersion);
}

TEST_F(ParserTest, FindsNothingWithoutAMobileSyncRoot) {
  CBackupParser parser;
  EXPECT_TRUE(parser.discoveredFolders().empty());
  EXPECT_EQ(parser.DiscoverBackups(), kResultOk);
  std::vector<BackupSummary> summaries;
  EXPECT_EQ(parser.ReadBackupSummaries(summaries), kResultOk);
  EXPECT_TRUE(summaries.empty());
}

TEST_F(ParserTest, ReadsAPickedFolderAndSelectsIt) {
  CBackupParser parser;
  BackupSummary summary;
  EXPECT_EQ(parser.ReadBackupSummary(home_.path(), summary), kResultMissingFile);
  std::string folder = AddBackup("picked", test::MakeSample(3, kJan2020));
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  summary.phoneNumber = "changed by the page";
  EXPECT_EQ(parser.SetBackup(summary), kResultOk);
  EXPECT_EQ(parser.backupFolder(), folder);
  EXPECT_EQ(parser.selectedBackup().phoneNumber, "changed by the page");
  EXPECT_FALSE(parser.ProbeEncrypted(folder));
}

TEST_F(ParserTest, OpensAManifestDbBackupWithItsProgressWeights) {
  mkbackup::SampleBackup sample = test::MakeSample(1, kJan2020);
  std::string folder = AddBackup("db", sample);
  CBackupParser parser;
  Select(parser, folder);
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  ASSERT_EQ(parser.Open(""), kResultOk);
  EXPECT_EQ(progress.reports, (std::vector<int32_t>{0, 1, 12}));
  EXPECT_EQ(parser.runningProgress(), 12);
  EXPECT_EQ(parser.stepWeight(), 11);
  EXPECT_TRUE(parser.usesManifestDb());
  EXPECT_EQ(parser.manifest().size(), sample.files().size());
  EXPECT_TRUE(parser.discoveredFolders().empty());
}

TEST_F(ParserTest, OpenWithoutManifestGivesMissingFileAndAnEmptyManifest) {
  std::string folder = Root() + "/empty";
  WriteFile(folder + "/Info.plist", "<key>Display Name</key>\n<string>x</string>\n");
  CBackupParser parser;
  Select(parser, folder);
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  EXPECT_EQ(parser.Open(""), kResultMissingFile);
  EXPECT_TRUE(parser.manifest().empty());
  EXPECT_EQ(progress.reports, (std::vector<int32_t>{0, 1, 12}));
}

TEST_F(ParserTest, OpenDoesNotHeedItsOwnReports) {
  std::string folder = AddBackup("db", test::MakeSample(1, kJan2020));
  CBackupParser parser;
  Select(parser, folder);
  Progress progress;
  progress.answer = kResultStopped;
  parser.SetProgressCallback(Progress::Callback, &progress);
  EXPECT_EQ(parser.Open(""), kResultOk);
  EXPECT_FALSE(parser.manifest().empty());
}

TEST_F(ParserTest, OpenOfAnEncryptedBackupStopsBeforeTheManifest) {
  std::string folder = AddBackup("enc", test::MakeSample(1, kJan2020));
  CBackupParser parser;
  BackupSummary summary;
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  summary.encrypted = true;
  parser.SetBackup(summary);
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  EXPECT_EQ(parser.Open("secret"), kResultMissingFile);
  EXPECT_EQ(parser.stepWeight(), 10);
  EXPECT_EQ(progress.reports, (std::vector<int32_t>{0}));
  EXPECT_TRUE(parser.manifest().empty());
  EXPECT_EQ(parser.backupFolder(), folder);
}

TEST_F(ParserTest, LocatesStoredFilesInTheLayoutOfTheManifest) {
  mkbackup::SampleBackup sample = test::MakeSample(1, kJan2020);
  const std::string welcome = "AppDomain-com.example.notes-Documents/Welcome.txt";
  for (auto layout : {mkbackup::ManifestLayout::kDatabase, mkbackup::ManifestLayout::kMbdb}) {
    bool db = layout == mkbackup::ManifestLayout::kDatabase;
    std::string folder = AddBackup(db ? "db" : "mbdb", sample, layout);
    CBackupParser parser;
    Select(parser, folder);
    ASSERT_EQ(parser.Open(""), kResultOk);
    EXPECT_EQ(parser.usesManifestDb(), db);
    std::vector<std::string> found = parser.FindStoredFiles(welcome);
    ASSERT_EQ(found.size(), 1u);
    std::string id = Sha1Hex(welcome);
    EXPECT_EQ(found[0], folder + (db ? "/" + id.substr(0, 2) + "/" : "/") + id);
    EXPECT_EQ(parser.StoredFilePath(id), found[0]);
    EXPECT_EQ(ReadFile(found[0]).substr(0, 10), "Welcome to");
  }
}

TEST_F(ParserTest, CopiesTheMessagesAndContactsDatabases) {
  TempFolder out;
  std::string folder = AddBackup("db", test::MakeSample(1, kJan2020, /*withDatabases=*/true));
  CBackupParser parser;
  Select(parser, folder);
  ASSERT_EQ(parser.Open(""), kResultOk);
  WriteFile(out / "Message/sms.sqlite", std::string(50000, 'o'));  // replaced
  EXPECT_EQ(parser.CopyMessagesDatabase(out / "Message/sms.sqlite"), kResultOk);
  EXPECT_EQ(ReadFile(out / "Message/sms.sqlite"),
            ReadFile(parser.StoredFilePath("3d0d7e5fb2ce288813306e4d4636395e047a3d28")));
  EXPECT_EQ(parser.CopyContactsDatabase(out / "Contacts.sqlite"), kResultOk);
  EXPECT_EQ(ReadFile(out / "Contacts.sqlite").substr(17), "contacts");
}

TEST_F(ParserTest, ReportsAMissingDatabaseInsteadOfSuccess) {
  TempFolder out;
  std::string folder = AddBackup("db", test::MakeSample(1, kJan2020));
  CBackupParser parser;
  Select(parser, folder);
  ASSERT_EQ(parser.Open(""), kResultOk);
  EXPECT_EQ(parser.CopyMessagesDatabase(out / "sms.sqlite"), kResultMissingFile);
  EXPECT_EQ(parser.CopyContactsDatabase(out / "Contacts.sqlite"), kResultMissingFile);
  EXPECT_FALSE(std::filesystem::exists(out / "sms.sqlite"));
}

}  // namespace
}  // namespace zbe
