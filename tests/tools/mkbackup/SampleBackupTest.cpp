#include "tools/mkbackup/SampleBackup.h"

#include <gtest/gtest.h>

#include "backup/Sha1.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {
namespace {

std::vector<std::string> Paths(const SampleBackup& backup) {
  std::vector<std::string> paths;
  for (const StoredFile& file : backup.files()) {
    paths.push_back(file.manifestPath() + ":" + std::to_string(file.flags()));
  }
  return paths;
}

TEST(SampleBackup, ListsEachFolderOnceBeforeItsFiles) {
  SampleBackup backup(1, 1580512205);
  backup.AddFile("HomeDomain", "Library/SMS/sms.db", "x");
  backup.AddFile("HomeDomain", "Library/SMS/Attachments/a.jpg", "y");
  backup.AddLink("HomeDomain", "Library/link", "/target");
  backup.AddFolder("HomeDomain", "Library");
  EXPECT_EQ(Paths(backup), (std::vector<std::string>{
                               "HomeDomain-:2",
                               "HomeDomain-Library:2",
                               "HomeDomain-Library/SMS:2",
                               "HomeDomain-Library/SMS/sms.db:1",
                               "HomeDomain-Library/SMS/Attachments:2",
                               "HomeDomain-Library/SMS/Attachments/a.jpg:1",
                               "HomeDomain-Library/link:4",
                           }));
  EXPECT_EQ(backup.files()[0].mode, kModeFolder);
  EXPECT_EQ(backup.files()[6].linkTarget, "/target");
}

TEST(SampleBackup, NamesFilesByTheSha1OfTheirManifestPath) {
  SampleBackup backup(1, 1580512205);
  StoredFile& file = backup.AddFile("HomeDomain", "Library/SMS/sms.db", "x");
  EXPECT_EQ(file.fileID(), "3d0d7e5fb2ce288813306e4d4636395e047a3d28");
  EXPECT_EQ(backup.files()[0].fileID(), Sha1Hex("HomeDomain-"));
}

TEST(SampleBackup, IsTheSameForTheSameSeed) {
  SampleOptions options;
  options.seed = 42;
  SampleBackup first = MakeSampleBackup(options);
  SampleBackup second = MakeSampleBackup(options);
  options.seed = 43;
  SampleBackup other = MakeSampleBackup(options);
  EXPECT_EQ(first.device().serialNumber, second.device().serialNumber);
  EXPECT_EQ(first.device().uniqueIdentifier, second.device().uniqueIdentifier);
  ASSERT_EQ(first.files().size(), second.files().size());
  for (size_t i = 0; i < first.files().size(); ++i) {
    EXPECT_EQ(first.files()[i].modified, second.files()[i].modified);
    EXPECT_EQ(first.files()[i].contents, second.files()[i].contents);
  }
  EXPECT_NE(first.device().serialNumber, other.device().serialNumber);
  EXPECT_NE(first.device().uniqueIdentifier, other.device().uniqueIdentifier);
}

TEST(SampleBackup, TakesTheDeviceOptions) {
  SampleOptions options;
  options.displayName = "Grandma's iPhone";
  options.productVersion = "12.1.2";
  options.uniqueIdentifier = std::string(40, 'a');
  SampleBackup backup = MakeSampleBackup(options);
  EXPECT_EQ(backup.device().displayName, "Grandma's iPhone");
  EXPECT_EQ(backup.device().productVersion, "12.1.2");
  EXPECT_EQ(backup.device().uniqueIdentifier, std::string(40, 'a'));
  EXPECT_EQ(backup.device().serialNumber.size(), 12u);
  EXPECT_EQ(backup.device().serialNumber[0], 'F');
  for (const StoredFile& file : backup.files()) {
    EXPECT_LT(file.modified, backup.device().lastBackupDate);
    EXPECT_LE(file.created, file.modified);
  }
}

}  // namespace
}  // namespace zbe::mkbackup
