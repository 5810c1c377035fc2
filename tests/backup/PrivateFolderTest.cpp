#include "backup/PrivateFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(EnsurePrivateFolder, CreatesMissingFoldersPrivateAndTightensAnOpenOne) {
  TempFolder root;
  EXPECT_EQ(EnsurePrivateFolder(root / "a/b/"), 0);
  EXPECT_EQ(ModeOf(root / "a"), 0700u);
  EXPECT_EQ(ModeOf(root / "a/b"), 0700u);
  std::filesystem::create_directory(root / "open");
  chmod((root / "open").c_str(), 0777);
  EXPECT_EQ(EnsurePrivateFolder(root / "open"), 0);
  EXPECT_EQ(ModeOf(root / "open"), 0700u);
}

TEST(EnsurePrivateFolder, RefusesALinkOrAFileInItsPlace) {
  TempFolder root;
  std::filesystem::create_directory(root / "elsewhere");
  chmod((root / "elsewhere").c_str(), 0755);
  ASSERT_EQ(symlink((root / "elsewhere").c_str(), (root / "link").c_str()), 0);
  EXPECT_EQ(EnsurePrivateFolder(root / "link"), ELOOP);
  EXPECT_EQ(ModeOf(root / "elsewhere"), 0755u);
  WriteFile(root / "file", "x");
  EXPECT_EQ(EnsurePrivateFolder(root / "file"), ENOTDIR);
}

TEST(EmptyFolder, RemovesFilesAndLinksButNotFoldersOrLinkTargets) {
  TempFolder root;
  WriteFile(root / "out/Manifest.db-decypted", "db");
  WriteFile(root / "out/0123", "file");
  WriteFile(root / "out/sub/kept", "kept");
  WriteFile(root / "target", "not ours");
  ASSERT_EQ(symlink((root / "target").c_str(), (root / "out/link").c_str()), 0);
  EmptyFolder(root / "out");
  EXPECT_FALSE(std::filesystem::exists(root / "out/Manifest.db-decypted"));
  EXPECT_FALSE(std::filesystem::exists(root / "out/0123"));
  EXPECT_FALSE(std::filesystem::is_symlink(root / "out/link"));
  EXPECT_TRUE(std::filesystem::exists(root / "out/sub/kept"));
  EXPECT_EQ(test::ReadFile(root / "target"), "not ours");
  EmptyFolder(root / "missing");  // nothing to do, no failure
}

}  // namespace
}  // namespace zbe
