#include "platform/AppFolders.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ScopedEnv;

TEST(AppDataFolder, UsesAnAbsoluteXdgDataHome) {
  ScopedEnv data("XDG_DATA_HOME", "/srv/data/");
  std::string folder;
  ASSERT_EQ(AppDataFolder(folder), 0);
  EXPECT_EQ(folder, "/srv/data");
  EXPECT_EQ(MobileSyncRoot(folder), "/srv/data/Apple Computer/MobileSync/backup/");
  EXPECT_EQ(WorkFolderIn(folder), "/srv/data/ZorvaneBackupExtractor/");
}

TEST(AppDataFolder, IgnoresARelativeXdgDataHome) {
  ScopedEnv data("XDG_DATA_HOME", "relative/data");
  ScopedEnv home("HOME", "/home/someone");
  std::string folder;
  ASSERT_EQ(AppDataFolder(folder), 0);
  EXPECT_EQ(folder, "/home/someone/.local/share");
}

TEST(AppDataFolder, FallsBackToHomeWhenUnset) {
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  ScopedEnv home("HOME", "/home/someone/");
  std::string folder;
  ASSERT_EQ(AppDataFolder(folder), 0);
  EXPECT_EQ(folder, "/home/someone/.local/share");
}

TEST(AppConfigFolder, UsesXdgConfigHomeOrHomeConfig) {
  std::string folder;
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/srv/config/");
    ASSERT_EQ(AppConfigFolder(folder), 0);
    EXPECT_EQ(folder, "/srv/config");
  }
  ScopedEnv config("XDG_CONFIG_HOME", "relative");
  ScopedEnv home("HOME", "/home/someone");
  ASSERT_EQ(AppConfigFolder(folder), 0);
  EXPECT_EQ(folder, "/home/someone/.config");
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(folder.front(), '/');
  // The suites run from build/tests/bin.
  EXPECT_NE(folder.find("/tests/bin/"), std::string::npos) << folder;
}

}  // namespace
}  // namespace zbe
