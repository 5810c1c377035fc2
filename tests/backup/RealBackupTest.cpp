// A real iOS 14.3 backup (binary Info.plist, 3,721-row Manifest.db), read in place.

#include <gtest/gtest.h>

#include <set>

#include "backup/BackupDiscovery.h"
#include "backup/CBackupParser.h"
#include "backup/Sha1.h"
#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;
using test::TempFolder;

class RealBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(folder_ + "/Info.plist")) {
      GTEST_SKIP() << "real sample data not found at " << folder_;
    }
  }

  // Opens the backup in a parser of its own.
  void Open(CBackupParser& parser) {
    BackupSummary summary;
    ASSERT_EQ(parser.ReadBackupSummary(folder_, summary), kResultOk);
    parser.SetBackup(summary);
    ASSERT_EQ(parser.Open(""), kResultOk);
  }

  const std::string folder_ = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  TempFolder home_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
};

TEST_F(RealBackupTest, ReadsTheSummaryFromTheBinaryInfoPlist) {
  BackupSummary summary;
  ASSERT_EQ(ReadSummaryOfFolder(folder_, summary), Result::Ok());
  EXPECT_EQ(summary.displayName, "iPhone");
  EXPECT_EQ(summary.serialNumber, "F1234567890");
  EXPECT_EQ(summary.lastBackupDate, "2021-12-03 19:33:13");
  EXPECT_EQ(summary.phoneNumber, "");
  EXPECT_TRUE(summary.modernVersion);  // 14.3
  EXPECT_FALSE(summary.encrypted);
  EXPECT_EQ(summary.folderPath, folder_);

  ScopedEnv east("TZ", "XXX-1");
  ASSERT_EQ(ReadSummaryOfFolder(folder_, summary), Result::Ok());
  EXPECT_EQ(summary.lastBackupDate, "2021-12-03 20:33:13");
}

TEST_F(RealBackupTest, LoadsEveryManifestRowNamedByTheSha1OfItsPath) {
  CBackupParser parser;
  Open(parser);
  EXPECT_TRUE(parser.usesManifestDb());
  ASSERT_EQ(parser.manifest().size(), 3721u);
  for (const ManifestEntry& entry : parser.manifest()) {
    ASSERT_EQ(entry.fileID, Sha1Hex(entry.path)) << entry.path;
  }
}

TEST_F(RealBackupTest, FindsTheMessagesDatabaseUnderItsHashedName) {
  CBackupParser parser;
  Open(parser);
  std::string stored = parser.StoredFilePath(kMessagesHashedName);
  EXPECT_EQ(stored, folder_ + "/3d/3d0d7e5fb2ce288813306e4d4636395e047a3d28");
  std::vector<std::string> byName = parser.FindStoredFiles("HomeDomain-Library/SMS/sms.db");
  ASSERT_EQ(byName.size(), 1u);
  EXPECT_EQ(byName[0], stored);
  SqliteDatabase db;
  ASSERT_EQ(db.Open(stored), Result::Ok());
  int messages = -1;
  ASSERT_EQ(db.Exec("SELECT count(*) FROM message;",
                    [&](int, char** values, char**) {
                      messages = std::atoi(values[0]);
                      return 0;
                    }),
            Result::Ok());
  EXPECT_EQ(messages, 1);
  TempFolder out;
  ASSERT_EQ(parser.CopyMessagesDatabase(out / "sms.sqlite"), kResultOk);
  EXPECT_EQ(test::ReadFile(out / "sms.sqlite"), test::ReadFile(stored));
}

TEST_F(RealBackupTest, FindsTheWhatsAppChatDatabase) {
  CBackupParser parser;
  Open(parser);
  WhatsAppDatabasePaths paths = parser.FindWhatsAppDatabases();
  EXPECT_EQ(paths.chatDatabase, folder_ + "/7c/7c7fba66680ef796b916b067077cc246adacf01d");
  EXPECT_EQ(paths.contactsDatabase, "");
  EXPECT_TRUE(std::filesystem::exists(paths.chatDatabase));
}

TEST_F(RealBackupTest, AStoredFileWithoutManifestRowIsNotListed) {
  const std::string orphan = "e794f6ffcc3c222535f47684a63d5178da3c4500";
  ASSERT_TRUE(std::filesystem::exists(folder_ + "/e7/" + orphan));
  CBackupParser parser;
  Open(parser);
  std::set<std::string> ids;
  for (const ManifestEntry& entry : parser.manifest()) {
    ids.insert(entry.fileID);
  }
  EXPECT_EQ(ids.count(orphan), 0u);
  EXPECT_EQ(ids.count(std::string(kMessagesHashedName)), 1u);
  // The address book is listed but was left out of the sample: the backup counts as plain.
  EXPECT_EQ(ids.count(std::string(kAddressBookHashedName)), 1u);
  EXPECT_FALSE(parser.ProbeEncrypted(folder_));
}

}  // namespace
}  // namespace zbe
