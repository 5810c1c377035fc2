#include "backup/BackupDiscovery.h"

#include <gtest/gtest.h>

#include "records/ResultCodes.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

std::string InfoPlist(const std::string& name, const std::string& date, const std::string& phone) {
  std::string text = "<plist version=\"1.0\">\n<dict>\n";
  text += "\t<key>Display Name</key>\n\t<string>" + name + "</string>\n";
  text += "\t<key>Last Backup Date</key>\n\t<date>" + date + "</date>\n";
  if (!phone.empty()) {
    text += "\t<key>Phone Number</key>\n\t<string>" + phone + "</string>\n";
  }
  text += "\t<key>Serial Number</key>\n\t<string>SN-" + name + "</string>\n</dict>\n</plist>\n";
  return text;
}

TEST(ListFolder, ListsEntriesWithoutDotNamesOneLevelDeep) {
  TempFolder root;
  WriteFile(root / "b/Info.plist", "");
  WriteFile(root / "a-file", "");
  WriteFile(root / ".DS_Store", "");
  WriteFile(root / ".hidden/Info.plist", "");
  std::vector<std::string> entries;
  ASSERT_TRUE(ListFolder(root.path(), entries));
  EXPECT_EQ(entries, (std::vector<std::string>{root / "a-file", root / "b"}));
  std::vector<std::string> slashed;
  ASSERT_TRUE(ListFolder(root.path() + "/", slashed));
  EXPECT_EQ(slashed, entries);
  EXPECT_FALSE(ListFolder(root / "missing", slashed));
  EXPECT_EQ(slashed.size(), 2u);
}

TEST(ReadSummaryOfFolder, GivesMissingFileWithoutInfoPlist) {
  TempFolder folder;
  BackupSummary summary;
  summary.displayName = "stale";
  EXPECT_EQ(ReadSummaryOfFolder(folder.path(), summary), Result(kMissingFile));
  EXPECT_EQ(summary.folderPath, folder.path());
  EXPECT_EQ(summary.displayName, "");
  test::WriteFile(folder / "Info.plist/inner", "");  // a folder named Info.plist
  EXPECT_EQ(ReadSummaryOfFolder(folder.path(), summary), Result(kMissingFile));
}

TEST(ReadSummaryOfFolder, FillsEveryField) {
  ScopedEnv tz("TZ", "UTC");
  TempFolder folder;
  WriteFile(folder / "Info.plist", InfoPlist("Phone", "2021-06-01T10:00:00Z", "555"));
  WriteFile(folder / "31bb7ba8914766d4ba40d6dfb6113c8b614be442", "xx");
  BackupSummary summary;
  ASSERT_EQ(ReadSummaryOfFolder(folder.path(), summary), Result::Ok());
  EXPECT_EQ(summary.folderPath, folder.path());
  EXPECT_EQ(summary.displayName, "Phone");
  EXPECT_EQ(summary.lastBackupDate, "2021-06-01 10:00:00");
  EXPECT_EQ(summary.phoneNumber, "555");
  EXPECT_EQ(summary.serialNumber, "SN-Phone");
  EXPECT_TRUE(summary.encrypted);
}

TEST(ReadSummariesOf, SkipsFoldersWithoutInfoPlistAndSortsNewestFirst) {
  ScopedEnv tz("TZ", "UTC");
  TempFolder root;
  WriteFile(root / "old/Info.plist", InfoPlist("Old", "2019-05-05T05:05:05Z", "111"));
  WriteFile(root / "new/Info.plist", InfoPlist("New", "2021-01-01T00:00:00Z", ""));
  WriteFile(root / "mid/Info.plist", InfoPlist("Mid", "2020-01-01T00:00:00Z", "222"));
  WriteFile(root / "unfinished/Status.plist", "");
  WriteFile(root / "stray.txt", "");
  std::vector<std::string> folders;
  ASSERT_TRUE(ListFolder(root.path(), folders));
  std::vector<BackupSummary> summaries;
  ReadSummariesOf(folders, summaries);
  ASSERT_EQ(summaries.size(), 3u);
  EXPECT_EQ(summaries[0].displayName, "New");
  EXPECT_EQ(summaries[1].displayName, "Mid");
  EXPECT_EQ(summaries[2].displayName, "Old");
  // A device without a phone number has none, whatever was read before it.
  EXPECT_EQ(summaries[0].phoneNumber, "");
}

TEST(SortSummariesNewestFirst, KeepsTheOrderOfEqualDatesAndIgnoresCase) {
  std::vector<BackupSummary> summaries(4);
  summaries[0].lastBackupDate = "2020-01-01 00:00:00";
  summaries[0].displayName = "first";
  summaries[1].lastBackupDate = "2021-01-01 00:00:00";
  summaries[2].lastBackupDate = "2020-01-01 00:00:00";
  summaries[2].displayName = "second";
  summaries[3].lastBackupDate = "unknown";
  SortSummariesNewestFirst(summaries);
  EXPECT_EQ(summaries[0].lastBackupDate, "unknown");  // letters sort after digits
  EXPECT_EQ(summaries[1].lastBackupDate, "2021-01-01 00:00:00");
  EXPECT_EQ(summaries[2].displayName, "first");
  EXPECT_EQ(summaries[3].displayName, "second");

  std::vector<BackupSummary> mixed(2);
  mixed[0].lastBackupDate = "ABC";
  mixed[0].displayName = "upper";
  mixed[1].lastBackupDate = "abc";
  mixed[1].displayName = "lower";
  SortSummariesNewestFirst(mixed);
  EXPECT_EQ(mixed[0].displayName, "upper");  // equal without case: order kept
}

}  // namespace
}  // namespace zbe
