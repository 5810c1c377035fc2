// Where a path really leads: the one check that keeps writes out of a backup folder.

#include "platform/ResolvedPath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;

TEST(ResolvedPath, ResolvesWhatExistsAndFoldsTheRest) {
  TempFolder temp;
  std::string real = std::filesystem::canonical(temp.path()).string();
  std::filesystem::create_directories(temp / "a/b");
  ASSERT_EQ(symlink((temp / "a/b").c_str(), (temp / "link").c_str()), 0);
  EXPECT_EQ(ResolvedPath(temp / "a/./b/"), real + "/a/b");
  EXPECT_EQ(ResolvedPath(temp / "link/new/../x"), real + "/a/b/x");
  EXPECT_EQ(ResolvedPath(temp / "missing/../a"), real + "/a");
  EXPECT_EQ(ResolvedPath("/"), "/");
}

TEST(PathWithin, ComparesWhereThePathsReallyLead) {
  TempFolder temp;
  std::filesystem::create_directories(temp / "backup/sub");
  std::filesystem::create_directories(temp / "backupX");
  ASSERT_EQ(symlink((temp / "backup").c_str(), (temp / "alias").c_str()), 0);
  std::string backup = temp / "backup";
  EXPECT_TRUE(PathWithin(backup, backup));
  // Trailing slashes, on either side.
  EXPECT_TRUE(PathWithin(temp / "backup/", backup));
  EXPECT_TRUE(PathWithin(backup, temp / "backup//"));
  // Below it, existing or not yet.
  EXPECT_TRUE(PathWithin(temp / "backup/sub/new/deeper", backup));
  EXPECT_TRUE(PathWithin(temp / "backup/page.html", backup));
  // Through a link, and through "..".
  EXPECT_TRUE(PathWithin(temp / "alias/out", backup));
  EXPECT_TRUE(PathWithin(temp / "backupX/../backup/x", backup));
  EXPECT_FALSE(PathWithin(temp / "backup/../backupX", backup));
  // A name that merely begins like the folder, and the folder's parent.
  EXPECT_FALSE(PathWithin(temp / "backupX", backup));
  EXPECT_FALSE(PathWithin(temp / "backup.html", backup));
  EXPECT_FALSE(PathWithin(temp.path(), backup));
  // Letter case counts: another case is another folder on this platform.
  EXPECT_FALSE(PathWithin(temp / "Backup/x", backup));
  // Everything lies within the root folder.
  EXPECT_TRUE(PathWithin(temp / "anything", "/"));
}

}  // namespace
}  // namespace zbe
