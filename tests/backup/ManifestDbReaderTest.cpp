#include "backup/ManifestDbReader.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "records/ResultCodes.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::SnapshotFolder;
using test::TempFolder;

void Execute(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* message = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
      << (message != nullptr ? message : "");
  sqlite3_free(message);
  sqlite3_close(db);
}

constexpr const char* kFilesTable =
    "CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags INTEGER, "
    "file BLOB);";

TEST(ReadManifestDb, BuildsPathsFromDomainAndRelativePath) {
  TempFolder temp;
  std::string path = temp / "Manifest.db";
  Execute(path, std::string(kFilesTable) +
                    "INSERT INTO Files VALUES "
                    "('3d0d7e5fb2ce288813306e4d4636395e047a3d28', 'HomeDomain', "
                    "'Library/SMS/sms.db', 1, NULL),"
                    "('b', 'HomeDomain', NULL, 2, NULL),"
                    "('c', 'HomeDomain', '', 2, NULL),"
                    "('d', NULL, 'orphan.txt', 1, NULL),"
                    "('e', 'CameraRollDomain', 'Media/DCIM/100APPLE/IMG_0001.JPG', 4, NULL);");
  std::vector<ManifestEntry> entries = {{"left over", "0"}};
  ASSERT_EQ(ReadManifestDb(path, entries), Result::Ok());
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].path, "HomeDomain-Library/SMS/sms.db");
  EXPECT_EQ(entries[0].fileID, "3d0d7e5fb2ce288813306e4d4636395e047a3d28");
  EXPECT_EQ(entries[1].path, "HomeDomain");   // NULL relative path: the domain alone
  EXPECT_EQ(entries[2].path, "HomeDomain-");  // empty relative path is not NULL
  EXPECT_EQ(entries[3].path, "-orphan.txt");
  EXPECT_EQ(entries[4].path, "CameraRollDomain-Media/DCIM/100APPLE/IMG_0001.JPG");
}

TEST(ReadManifestDb, GivesSqlitesOpenCodeForAMissingFileAndCreatesNothing) {
  TempFolder temp;
  std::vector<ManifestEntry> entries;
  EXPECT_EQ(ReadManifestDb(temp / "Manifest.db", entries), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_TRUE(SnapshotFolder(temp.path()).empty());
}

TEST(ReadManifestDb, GivesQueryFailedWithoutAFilesTable) {
  TempFolder temp;
  Execute(temp / "other.db", "CREATE TABLE Other (x);");
  test::WriteFile(temp / "encrypted.db", std::string(8192, '\x5A'));
  std::vector<ManifestEntry> entries;
  EXPECT_EQ(ReadManifestDb(temp / "other.db", entries), Result(kQueryFailed));
  EXPECT_EQ(ReadManifestDb(temp / "encrypted.db", entries), Result(kQueryFailed));
  EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace zbe
