#include "tools/crypto/FileIo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "support/HostileFiles.h"
#include "tools/crypto/CryptoResult.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {
namespace {

using testing::TempFolder;

TEST(FileIo, IsSameOrInsideComparesResolvedPaths) {
  TempFolder tmp;
  ASSERT_EQ(CreateFolders(tmp / "backup/sub", 0700), kOk);
  ASSERT_EQ(CreateFolders(tmp / "backupX", 0700), kOk);
  ASSERT_EQ(::symlink((tmp / "backup").c_str(), (tmp / "alias").c_str()), 0);
  EXPECT_TRUE(IsSameOrInside(tmp / "backup", tmp / "backup"));
  EXPECT_TRUE(IsSameOrInside(tmp / "backup/", tmp / "backup"));
  EXPECT_TRUE(IsSameOrInside(tmp / "backup/sub/new/deeper", tmp / "backup"));
  EXPECT_TRUE(IsSameOrInside(tmp / "alias/out", tmp / "backup"));
  EXPECT_TRUE(IsSameOrInside(tmp / "backupX/../backup/x", tmp / "backup"));
  EXPECT_FALSE(IsSameOrInside(tmp / "backupX", tmp / "backup"));
  EXPECT_FALSE(IsSameOrInside(tmp.path(), tmp / "backup"));
}

TEST(FileIo, CreatedFoldersAndFilesGetExactlyTheirMode) {
  TempFolder tmp;
  const mode_t old = ::umask(077);
  EXPECT_EQ(CreateFolders(tmp / "a/b", 0751), kOk);
  ::umask(old);
  EXPECT_EQ(testing::ModeOf(tmp / "a"), 0751u);
  EXPECT_EQ(testing::ModeOf(tmp / "a/b"), 0751u);
  testing::WriteAll(tmp / "a/f", AsBytes("x"));
  ASSERT_EQ(::chmod((tmp / "a/f").c_str(), 0644), 0);
  EXPECT_EQ(WriteFileBytes(tmp / "a/f", AsBytes("secret"), 0600), kOk);
  EXPECT_EQ(testing::ModeOf(tmp / "a/f"), 0600u);
  EXPECT_EQ(testing::ReadText(tmp / "a/f"), "secret");
  EXPECT_EQ(CreateFolders(tmp / "a/f/c", 0700), ENOTDIR);
}

// A FIFO where Manifest.plist, a manifest or a stored file should be would block the tool for
// ever; none of these is opened for reading or as a database.
TEST(FileIo, ReadsOnlyRegularFilesAndNeverWaits) {
  TempFolder tmp;
  for (test::Hostile kind : test::AllHostileKinds()) {
    const std::string path = tmp / "Manifest.plist";
    ASSERT_TRUE(test::PlaceHostile(kind, path));
    int32_t opened = kOk;
    int32_t read = kOk;
    int database = SQLITE_OK;
    EXPECT_TRUE(test::EndsWithin(std::chrono::seconds(2),
                                 [&] {
                                   UniqueFd fd;
                                   opened = OpenForReading(path, &fd);
                                   Bytes data;
                                   read = ReadFileBytes(path, 1 << 20, &data);
                                   UniqueSqlite db;
                                   database = OpenDatabaseReadOnly(path, &db);
                                 },
                                 {path}))
        << test::HostileName(kind);
    EXPECT_NE(opened, kOk) << test::HostileName(kind);
    EXPECT_NE(read, kOk) << test::HostileName(kind);
    EXPECT_EQ(database, SQLITE_CANTOPEN) << test::HostileName(kind);
  }
}

}  // namespace
}  // namespace zbe::crypto
