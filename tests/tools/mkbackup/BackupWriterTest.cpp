#include "tools/mkbackup/BackupWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>

#include "backup/BackupDiscovery.h"
#include "backup/ManifestDbReader.h"
#include "records/SqliteDatabase.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {
namespace {

using test::ReadFile;
using test::SnapshotFolder;
using test::TempFolder;

int32_t Write(const SampleBackup& sample, const std::string& folder,
              ManifestLayout layout = ManifestLayout::kDatabase) {
  std::string error;
  int32_t result = WriteBackup(sample, folder, WriteOptions{layout}, error);
  EXPECT_EQ(result == 0, error.empty()) << error;
  return result;
}

TEST(WriteBackup, WritesInfoPlistInTheDevicesXmlForm) {
  TempFolder temp;
  SampleOptions options;
  options.displayName = "Ann & Bob";
  ASSERT_EQ(Write(MakeSampleBackup(options), temp / "b"), 0);
  std::string info = ReadFile(temp / "b/Info.plist");
  EXPECT_EQ(info.substr(0, 38), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  for (const char* line :
       {"\t<key>Display Name</key>\n\t<string>Ann &amp; Bob</string>\n",
        "\t<key>Device Name</key>\n",
        "\t<key>Last Backup Date</key>\n\t<date>2020-01-31T23:10:05Z</date>\n",
        "\t<key>Phone Number</key>\n", "\t<key>Product Version</key>\n\t<string>17.1</string>\n",
        "\t<key>Serial Number</key>\n", "\t<key>Unique Identifier</key>\n",
        "\t<key>Target Identifier</key>\n", "\t<key>GUID</key>\n", "\t<key>IMEI</key>\n",
        "\t<key>Installed Applications</key>\n", "\t<key>iTunes Version</key>\n"}) {
    EXPECT_NE(info.find(line), std::string::npos) << line;
  }
  // The keys that the summary reads come before "Serial Number", where reading stops.
  EXPECT_LT(info.find("Phone Number"), info.find("Serial Number"));
  EXPECT_LT(info.find("Product Version"), info.find("Serial Number"));
}

TEST(WriteBackup, WritesAManifestDbWithTheDevicesSchemaAndTwoLevelFiles) {
  TempFolder temp;
  SampleBackup sample = MakeSampleBackup({});
  ASSERT_EQ(Write(sample, temp / "b"), 0);
  std::string schema;
  SqliteDatabase db;
  ASSERT_EQ(db.Open(temp / "b/Manifest.db"), Result::Ok());
  ASSERT_EQ(db.Exec("SELECT sql FROM sqlite_master WHERE name = 'Files';",
                    [&](int, char** values, char**) {
                      schema = values[0];
                      return 0;
                    }),
            Result::Ok());
  EXPECT_EQ(schema,
            "CREATE TABLE Files (fileID TEXT PRIMARY KEY, domain TEXT, relativePath TEXT, flags "
            "INTEGER, file BLOB)");
  std::vector<std::string> rows;
  ASSERT_EQ(db.Exec("SELECT fileID, domain, relativePath, flags, length(file) FROM Files;",
                    [&](int, char** values, char**) {
                      rows.push_back(std::string(values[1]) + "-" + values[2] + ":" + values[3]);
                      EXPECT_GT(std::atoi(values[4]), 100);
                      return 0;
                    }),
            Result::Ok());
  ASSERT_EQ(rows.size(), sample.files().size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const StoredFile& file = sample.files()[i];
    EXPECT_EQ(rows[i], file.manifestPath() + ":" + std::to_string(file.flags()));
    std::string stored = temp / ("b/" + file.fileID().substr(0, 2) + "/" + file.fileID());
    EXPECT_EQ(std::filesystem::exists(stored), file.flags() == 1) << rows[i];
    if (file.flags() == 1) {
      EXPECT_EQ(ReadFile(stored), file.contents);
    }
  }
  for (const char* name : {"Manifest.plist", "Status.plist"}) {
    EXPECT_EQ(ReadFile(temp / (std::string("b/") + name)).substr(0, 8), "bplist00") << name;
  }
}

TEST(WriteBackup, WritesTheMbdbLayoutFlat) {
  TempFolder temp;
  SampleBackup sample = MakeSampleBackup({});
  ASSERT_EQ(Write(sample, temp / "b", ManifestLayout::kMbdb), 0);
  EXPECT_FALSE(std::filesystem::exists(temp / "b/Manifest.db"));
  EXPECT_EQ(ReadFile(temp / "b/Manifest.mbdb").substr(0, 4), "mbdb");
  for (const StoredFile& file : sample.files()) {
    if (file.flags() == 1) {
      EXPECT_EQ(ReadFile(temp / ("b/" + file.fileID())), file.contents);
    }
  }
}

TEST(WriteBackup, GivesTheSameBytesForTheSameSeed) {
  TempFolder temp;
  SampleOptions options;
  options.seed = 9;
  ASSERT_EQ(Write(MakeSampleBackup(options), temp / "one"), 0);
  ASSERT_EQ(Write(MakeSampleBackup(options), temp / "two"), 0);
  auto one = SnapshotFolder(temp / "one");
  auto two = SnapshotFolder(temp / "two");
  ASSERT_EQ(one.size(), two.size());
  for (const auto& [path, state] : one) {
    ASSERT_EQ(two.count(path), 1u) << path;
    if (!state.isFolder) {
      EXPECT_EQ(ReadFile(temp / ("one/" + path)), ReadFile(temp / ("two/" + path))) << path;
    }
  }
}

TEST(WriteBackup, WritesOnlyIntoAnEmptyFolder) {
  TempFolder temp;
  test::WriteFile(temp / "b/precious.txt", "keep");
  std::string error;
  EXPECT_EQ(WriteBackup(MakeSampleBackup({}), temp / "b", {}, error), ENOTEMPTY);
  EXPECT_NE(error.find("not empty"), std::string::npos);
  EXPECT_EQ(ReadFile(temp / "b/precious.txt"), "keep");
  EXPECT_EQ(SnapshotFolder(temp / "b").size(), 1u);
  test::WriteFile(temp / "file", "");
  EXPECT_NE(WriteBackup(MakeSampleBackup({}), temp / "file", {}, error), 0);
}

TEST(WriteBackup, GivesABackupThatReadsBackAsWritten) {
  TempFolder temp;
  SampleOptions options;
  options.displayName = "Round Trip";
  options.productVersion = "11.4";
  options.lastBackupDate = 1622541600;  // 2021-06-01T10:00:00Z
  SampleBackup sample = MakeSampleBackup(options);
  ASSERT_EQ(Write(sample, temp / "b"), 0);
  test::ScopedEnv tz("TZ", "UTC");
  BackupSummary summary;
  ASSERT_EQ(ReadSummaryOfFolder(temp / "b", summary), Result::Ok());
  EXPECT_EQ(summary.displayName, "Round Trip");
  EXPECT_EQ(summary.lastBackupDate, "2021-06-01 10:00:00");
  EXPECT_EQ(summary.serialNumber, sample.device().serialNumber);
  EXPECT_EQ(summary.phoneNumber, sample.device().phoneNumber);
  EXPECT_FALSE(summary.modernVersion);
  EXPECT_FALSE(summary.encrypted);
  std::vector<ManifestEntry> entries;
  ASSERT_EQ(ReadManifestDb(temp / "b/Manifest.db", entries), Result::Ok());
  EXPECT_EQ(entries.size(), sample.files().size());
}

}  // namespace
}  // namespace zbe::mkbackup
