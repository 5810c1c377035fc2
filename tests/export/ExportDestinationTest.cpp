// Keeping an export out of the backup folder.

#include "export/ExportDestination.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;

TEST(ExportWouldTouchBackup, CatchesEveryWayIntoTheBackup) {
  TempFolder temp;
  std::filesystem::create_directories(temp / "backup");
  std::filesystem::create_directories(temp / "out/Message/old");
  ASSERT_EQ(symlink((temp / "backup").c_str(), (temp / "alias").c_str()), 0);
  std::string backup = temp / "backup";
  EXPECT_TRUE(ExportWouldTouchBackup(backup, backup));
  EXPECT_TRUE(ExportWouldTouchBackup(temp / "backup/export", backup));
  EXPECT_TRUE(ExportWouldTouchBackup(temp / "alias/new", backup));
  EXPECT_TRUE(ExportWouldTouchBackup(temp / "backup/../backup/x", backup));
  // A backup kept in a folder that the export writes into.
  EXPECT_TRUE(ExportWouldTouchBackup(temp / "out", temp / "out/Message/old"));
  EXPECT_FALSE(ExportWouldTouchBackup(temp / "out", temp / "out/Other/old"));
  EXPECT_FALSE(ExportWouldTouchBackup(temp / "backup2", backup));
  EXPECT_FALSE(ExportWouldTouchBackup(temp / "out", backup));
  EXPECT_FALSE(ExportWouldTouchBackup(temp / "out", ""));
}

}  // namespace
}  // namespace zbe
