#include "backup/ManifestLoader.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "records/ResultCodes.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/BackupWriter.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

size_t SampleFileCount(const mkbackup::SampleBackup& sample, bool foldersToo) {
  size_t count = 0;
  for (const auto& file : sample.files()) {
    count += (foldersToo || file.flags() != 2) ? 1 : 0;
  }
  return count;
}

TEST(LoadManifest, GivesMissingFileWithoutAnyManifest) {
  TempFolder folder;
  std::vector<ManifestEntry> entries = {{"stale", "x"}};
  bool usesManifestDb = true;
  EXPECT_EQ(LoadManifest(folder.path(), "", entries, usesManifestDb), Result(kMissingFile));
  EXPECT_TRUE(entries.empty());
  EXPECT_FALSE(usesManifestDb);
}

TEST(LoadManifest, ReadsManifestDbWithEveryRow) {
  TempFolder temp;
  mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup({});
  std::string error;
  ASSERT_EQ(mkbackup::WriteBackup(sample, temp / "b", {}, error), 0) << error;
  std::vector<ManifestEntry> entries;
  bool usesManifestDb = false;
  ASSERT_EQ(LoadManifest(temp / "b", "", entries, usesManifestDb), Result::Ok());
  EXPECT_TRUE(usesManifestDb);
  ASSERT_EQ(entries.size(), SampleFileCount(sample, true));
  EXPECT_EQ(entries[0].path, sample.files()[0].domain + "-");
  EXPECT_EQ(entries[0].fileID, sample.files()[0].fileID());
}

TEST(LoadManifest, ReadsManifestMbdbWithoutFolders) {
  TempFolder temp;
  mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup({});
  std::string error;
  ASSERT_EQ(mkbackup::WriteBackup(sample, temp / "b", {mkbackup::ManifestLayout::kMbdb}, error), 0)
      << error;
  std::vector<ManifestEntry> entries;
  bool usesManifestDb = true;
  ASSERT_EQ(LoadManifest(temp / "b", "", entries, usesManifestDb), Result::Ok());
  EXPECT_FALSE(usesManifestDb);
  EXPECT_EQ(entries.size(), SampleFileCount(sample, false));
}

TEST(LoadManifest, PrefersManifestDbAndItsDecryptedCopy) {
  TempFolder temp;
  WriteFile(temp / "b/Manifest.db", std::string(4096, '\x33'));  // still encrypted
  WriteFile(temp / "b/Manifest.mbdb", "mbdb\x05\x00");
  std::vector<ManifestEntry> entries;
  bool usesManifestDb = false;
  EXPECT_EQ(LoadManifest(temp / "b", "", entries, usesManifestDb), Result(kQueryFailed));
  EXPECT_TRUE(usesManifestDb);
  EXPECT_EQ(LoadManifest(temp / "b", temp / "missing-copy", entries, usesManifestDb),
            Result(kQueryFailed));

  sqlite3* db = nullptr;
  std::filesystem::create_directories(temp / "out");
  ASSERT_EQ(sqlite3_open((temp / "out/Manifest.db-decypted").c_str(), &db), SQLITE_OK);
  sqlite3_exec(db,
               "CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, "
               "flags INTEGER, file BLOB); INSERT INTO Files VALUES ('ab', 'D', 'p', 1, NULL);",
               nullptr, nullptr, nullptr);
  sqlite3_close(db);
  ASSERT_EQ(LoadManifest(temp / "b", temp / "out/Manifest.db-decypted", entries, usesManifestDb),
            Result::Ok());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, "D-p");
}

TEST(LoadManifest, GivesItsOwnCodeForAnUnopenableMbdb) {
  TempFolder temp;
  std::filesystem::create_directories(temp / "b/Manifest.mbdb");  // a folder cannot be read
  std::vector<ManifestEntry> entries;
  bool usesManifestDb = false;
  EXPECT_EQ(LoadManifest(temp / "b", "", entries, usesManifestDb), Result(kMbdbNotOpenable));
  WriteFile(temp / "c/Manifest.mbdb", "not a manifest");
  EXPECT_EQ(LoadManifest(temp / "c", "", entries, usesManifestDb), Result(kMissingFile));
}

}  // namespace
}  // namespace zbe
