#include "backup/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "backup/FreeSpaceSource.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

// Volumes as a test describes them: free bytes by path (missing: the query fails) and the
// writable mount points in the system's order.
class FakeFreeSpace : public FreeSpaceSource {
 public:
  std::map<std::string, uint64_t> free;
  std::vector<std::string> mountPoints;

  std::optional<uint64_t> FreeBytes(const std::string& path) const override {
    auto found = free.find(path);
    return found != free.end() ? std::optional<uint64_t>(found->second) : std::nullopt;
  }
  std::vector<std::string> WritableMountPoints() const override { return mountPoints; }
};

TEST(ChooseTempFolder, StaysOnTheAppDataVolumeWithMoreThan15GiBFree) {
  FakeFreeSpace space;
  space.free["/home/u/.local/share"] = 15 * kGiB + 1;
  space.free["/"] = 900 * kGiB;
  space.mountPoints = {"/"};
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space),
            "/home/u/.local/share/ZorvaneBackupExtractor/ZorvaneTempFile/");
}

TEST(ChooseTempFolder, TakesTheMountPointWithTheMostFreeSpaceOtherwise) {
  FakeFreeSpace space;
  space.free["/home/u/.local/share"] = 15 * kGiB;  // exactly 15 GiB is not enough
  space.free["/"] = 20 * kGiB;
  space.free["/media/u/USB"] = 64 * kGiB;
  space.free["/srv/data"] = 40 * kGiB;
  space.mountPoints = {"/", "/media/u/USB", "/srv/data"};
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space), "/media/u/USB/ZorvaneTempFile/");
  space.mountPoints = {"/"};
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space), "/ZorvaneTempFile/");
}

TEST(ChooseTempFolder, KeepsTheFirstOfEqualMountPointsAndSkipsUnanswered) {
  FakeFreeSpace space;
  space.free["/a"] = 5 * kGiB;
  space.free["/b"] = 5 * kGiB;
  space.mountPoints = {"/unanswered", "/a", "/b"};
  // The application-data volume cannot be asked either.
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space), "/a/ZorvaneTempFile/");
  space.free["/b"] = 5 * kGiB + 1;
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space), "/b/ZorvaneTempFile/");
}

TEST(ChooseTempFolder, FallsBackWithoutAnyWritableMountPoint) {
  FakeFreeSpace space;
  space.free["/home/u/.local/share"] = 1 * kGiB;
  EXPECT_EQ(ChooseTempFolder("/home/u/.local/share", space),
            "/home/u/.local/share/ZorvaneBackupExtractor/ZorvaneTempFile/");
  EXPECT_EQ(ChooseTempFolder("", space), "/tmp/ZorvaneTempFile/");
  space.free["/mnt/disk"] = 2 * kGiB;
  space.mountPoints = {"/mnt/disk"};
  // Without an application-data folder only the mount points count.
  EXPECT_EQ(ChooseTempFolder("", space), "/mnt/disk/ZorvaneTempFile/");
}

TEST(GetTempFolder, IsTheOverrideOfTheProcessCreatedPrivate) {
  // The suite's environment (TempFolderEnvironment.cpp) points ZBE_TEMP_FOLDER at a folder of
  // its own before the first use.
  const char* override = std::getenv("ZBE_TEMP_FOLDER");
  ASSERT_NE(override, nullptr);
  EXPECT_EQ(GetTempFolder(), std::string(override) + "/");
  EXPECT_EQ(&GetTempFolder(), &GetTempFolder());
  struct stat info {};
  ASSERT_EQ(stat(GetTempFolder().c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(DecryptionOutputFolder(), GetTempFolder() + "ZorvaneBackupPath");
}

TEST(SystemFreeSpace, ListsOnlyWritableLocalMountPoints) {
  SystemFreeSpace space;
  EXPECT_TRUE(space.FreeBytes("/").has_value());
  EXPECT_FALSE(space.FreeBytes("/no/such/folder/here").has_value());
  for (const std::string& point : space.WritableMountPoints()) {
    EXPECT_NE(point, "/proc");
    EXPECT_NE(point, "/sys");
    EXPECT_NE(point, "/dev/shm");
    EXPECT_EQ(access(point.c_str(), W_OK), 0) << point;
    EXPECT_TRUE(space.FreeBytes(point).has_value()) << point;
  }
}

}  // namespace
}  // namespace zbe
