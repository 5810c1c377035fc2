// Backups are only ever read: discovery, summaries, the encryption probe, opening (manifest
// loading) and locating and copying stored files must leave every file and folder of a backup as
// it was (same list, sizes and modification times, folders included, so that even a file made
// and removed again would show).

#include <gtest/gtest.h>

#include "backup/CBackupParser.h"
#include "records/ResultCodes.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;
using test::SnapshotFolder;
using test::TempFolder;

// Everything a scan does so far with the backups below "root" and the one in "folder".
void ReadEverything(const std::string& folder, const std::string& copies) {
  CBackupParser parser;
  std::vector<BackupSummary> summaries;
  ASSERT_EQ(parser.ReadBackupSummaries(summaries), kResultOk);
  BackupSummary summary;
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  parser.ProbeEncrypted(folder);
  parser.SetBackup(summary);
  ASSERT_EQ(parser.Open(""), kResultOk);
  ASSERT_FALSE(parser.manifest().empty());
  int copied = 0;
  for (const ManifestEntry& entry : parser.manifest()) {
    std::string stored = parser.StoredFilePath(entry.fileID);
    if (std::filesystem::is_regular_file(stored)) {
      EXPECT_EQ(
          parser.CopyStoredFile(stored, copies + "/" + std::to_string(copied++), nullptr, nullptr),
          kResultOk);
    }
  }
  EXPECT_GT(copied, 0);
  parser.FindWhatsAppDatabases();
  parser.CopyMessagesDatabase(copies + "/sms.sqlite");
  parser.CopyContactsDatabase(copies + "/contacts.sqlite");
}

TEST(ReadOnly, NothingInASampleBackupChanges) {
  TempFolder home;
  TempFolder copies;
  ScopedEnv dataHome("XDG_DATA_HOME", home.path().c_str());
  std::string root = test::MobileSyncRootIn(home.path());
  test::WriteSample(test::MakeSample(1, 1580512205, true), root + "/db");
  test::WriteSample(test::MakeSample(2, 1580512205, true), root + "/mbdb",
                    mkbackup::ManifestLayout::kMbdb);
  test::FolderSnapshot before = SnapshotFolder(root);
  ASSERT_GT(before.size(), 20u);
  ReadEverything(root + "/db", copies.path());
  ReadEverything(root + "/mbdb", copies.path());
  EXPECT_EQ(SnapshotFolder(root), before);
}

TEST(ReadOnly, NothingInTheRealBackupChanges) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  if (!std::filesystem::exists(folder + "/Manifest.db")) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  TempFolder home;
  TempFolder copies;
  ScopedEnv dataHome("XDG_DATA_HOME", home.path().c_str());
  test::FolderSnapshot before = SnapshotFolder(folder);
  ReadEverything(folder, copies.path());
  EXPECT_EQ(SnapshotFolder(folder), before);
}

}  // namespace
}  // namespace zbe
