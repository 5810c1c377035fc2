#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <map>

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(PathParts, JoinWithOneSlashAndSplitAtTheLast) {
  EXPECT_EQ(JoinPath("/a/b", "c"), "/a/b/c");
  EXPECT_EQ(JoinPath("/a/b/", "c"), "/a/b/c");
  EXPECT_EQ(JoinPath("", "c"), "c");
  EXPECT_EQ(ParentFolder("/a/b/c"), "/a/b");
  EXPECT_EQ(ParentFolder("/c"), "/");
  EXPECT_EQ(ParentFolder("c"), "");
}

TEST(CreateFolders, CreatesEveryMissingParentWithTheMode) {
  TempFolder temp;
  std::string folder = temp / "one/two/three";
  ASSERT_EQ(CreateFolders(folder, 0700), 0);
  EXPECT_TRUE(IsFolder(folder));
  struct stat info {};
  ASSERT_EQ(stat((temp / "one").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(CreateFolders(folder + "/"), 0);  // existing, trailing slash
}

TEST(CreateFolders, FailsWhenAFileIsInTheWay) {
  TempFolder temp;
  WriteFile(temp / "file", "x");
  EXPECT_EQ(CreateFolders(temp / "file/sub"), ENOTDIR);
  EXPECT_EQ(CreateFolders(temp / "file"), ENOTDIR);
}

TEST(ListFolderEntries, ListsOneLevelSortedWithKinds) {
  TempFolder temp;
  WriteFile(temp / "b.txt", "");
  WriteFile(temp / "A.txt", "");
  WriteFile(temp / "sub/inner.txt", "");
  WriteFile(temp / ".hidden", "");
  std::vector<FolderEntry> entries;
  ASSERT_EQ(ListFolderEntries(temp.path(), entries), 0);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, ".hidden");
  EXPECT_EQ(entries[1].name, "A.txt");
  EXPECT_EQ(entries[2].name, "b.txt");
  EXPECT_EQ(entries[3].name, "sub");
  EXPECT_TRUE(entries[3].isFolder);
  EXPECT_FALSE(entries[1].isFolder);
  EXPECT_EQ(ListFolderEntries(temp / "missing", entries), ENOENT);
}

TEST(FileQueries, TellKindsAndSizes) {
  TempFolder temp;
  WriteFile(temp / "five", "12345");
  EXPECT_TRUE(PathExists(temp / "five"));
  EXPECT_TRUE(IsRegularFile(temp / "five"));
  EXPECT_FALSE(IsFolder(temp / "five"));
  EXPECT_TRUE(IsFolder(temp.path()));
  EXPECT_EQ(FileSize(temp / "five"), 5u);
  EXPECT_FALSE(FileSize(temp / "none").has_value());
  EXPECT_FALSE(PathExists(temp / "none"));
  uint64_t free = 0;
  EXPECT_EQ(FreeSpace(temp.path(), free), 0);
  EXPECT_GT(free, 0u);
  EXPECT_EQ(FreeSpace(temp / "none", free), ENOENT);
}

TEST(OpenRegularFile, OpensFilesAndLinksToThemForReading) {
  TempFolder temp;
  WriteFile(temp / "file", "bytes");
  ASSERT_EQ(symlink((temp / "file").c_str(), (temp / "link").c_str()), 0);
  for (const char* name : {"file", "link"}) {
    UniqueFd fd;
    ASSERT_EQ(OpenRegularFile(temp / name, fd), 0) << name;
    char buffer[8] = {};
    EXPECT_EQ(read(fd.get(), buffer, sizeof buffer), 5) << name;
  }
  UniqueFd fd;
  EXPECT_EQ(OpenRegularFile(temp / "missing", fd), ENOENT);
  EXPECT_FALSE(fd.valid());
}

// A FIFO would block a reader for ever; none of these may be opened for reading, nor read whole
// or copied by the calls that open through OpenRegularFile.
TEST(OpenRegularFile, RefusesWhatIsNoRegularFileWithoutWaiting) {
  TempFolder temp;
  const std::map<test::Hostile, int32_t> expected = {{test::Hostile::kFifo, EINVAL},
                                                     {test::Hostile::kSocket, ENXIO},
                                                     {test::Hostile::kFolder, EISDIR},
                                                     {test::Hostile::kLinkLoop, ELOOP}};
  for (test::Hostile kind : test::AllHostileKinds()) {
    std::string path = temp / "in-the-way";
    ASSERT_TRUE(test::PlaceHostile(kind, path));
    UniqueFd fd;
    int32_t result = -1;
    int32_t read = -1;
    int32_t copied = -1;
    EXPECT_TRUE(test::EndsWithin(std::chrono::seconds(2),
                                 [&] {
                                   result = OpenRegularFile(path, fd);
                                   std::string data;
                                   read = ReadFileBytes(path, 1 << 20, data);
                                   copied = CopyFileBytes(path, temp / "copy");
                                 },
                                 {path}))
        << test::HostileName(kind);
    EXPECT_EQ(result, expected.at(kind)) << test::HostileName(kind);
    EXPECT_FALSE(fd.valid()) << test::HostileName(kind);
    EXPECT_EQ(read, expected.at(kind)) << test::HostileName(kind);
    EXPECT_EQ(copied, expected.at(kind)) << test::HostileName(kind);
  }
}

TEST(CopyFileBytes, ReplacesALongerDestinationWhole) {
  TempFolder temp;
  std::string big(200000, 'x');
  WriteFile(temp / "src", "short");
  WriteFile(temp / "dst", big);
  ASSERT_EQ(CopyFileBytes(temp / "src", temp / "dst"), 0);
  EXPECT_EQ(ReadFile(temp / "dst"), "short");
  WriteFile(temp / "src", big);
  ASSERT_EQ(CopyFileBytes(temp / "src", temp / "dst"), 0);
  EXPECT_EQ(ReadFile(temp / "dst"), big);
}

TEST(CopyFileBytes, ReportsFailuresWithoutTouchingTheSource) {
  TempFolder temp;
  WriteFile(temp / "src", "keep me");
  EXPECT_EQ(CopyFileBytes(temp / "missing", temp / "dst"), ENOENT);
  EXPECT_FALSE(PathExists(temp / "dst"));
  EXPECT_EQ(CopyFileBytes(temp / "src", temp / "no/such/folder/dst"), ENOENT);
  // A copy onto itself must not empty the file.
  EXPECT_EQ(CopyFileBytes(temp / "src", temp / "src"), EINVAL);
  EXPECT_EQ(ReadFile(temp / "src"), "keep me");
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Private output (decrypted copies, encrypted samples) gets exactly its mode, whatever the umask
// and whatever mode an earlier file at the same path had.
TEST(ExactModes, CreatedFoldersAndFilesGetExactlyTheirMode) {
  TempFolder temp;
  const mode_t old = umask(077);
  EXPECT_EQ(CreateFolders(temp / "a/b", 0751, FolderMode::kExact), 0);
  umask(old);
  EXPECT_EQ(ModeOf(temp / "a"), 0751u);
  EXPECT_EQ(ModeOf(temp / "a/b"), 0751u);
  WriteFile(temp / "a/f", "x");
  ASSERT_EQ(chmod((temp / "a/f").c_str(), 0644), 0);
  EXPECT_EQ(WriteFileBytes(temp / "a/f", "secret", 0600), 0);
  EXPECT_EQ(ModeOf(temp / "a/f"), 0600u);
  EXPECT_EQ(ReadFile(temp / "a/f"), "secret");
  EXPECT_EQ(CreateFolders(temp / "a/f/c", 0700, FolderMode::kExact), ENOTDIR);
  // Output is never written through a link planted where it goes.
  ASSERT_EQ(symlink((temp / "a/f").c_str(), (temp / "link").c_str()), 0);
  UniqueFd fd;
  EXPECT_EQ(CreateForWriting(temp / "link", 0600, fd), ELOOP);
  EXPECT_EQ(ReadFile(temp / "a/f"), "secret");
}

TEST(ReadFileBytes, ReadsWholeFilesUpToTheLimit) {
  TempFolder temp;
  WriteFile(temp / "f", "twelve bytes");
  std::string data;
  EXPECT_EQ(ReadFileBytes(temp / "f", 12, data), 0);
  EXPECT_EQ(data, "twelve bytes");
  EXPECT_EQ(ReadFileBytes(temp / "f", 11, data), EFBIG);
  EXPECT_EQ(ReadFileBytes(temp.path(), 100, data), EISDIR);
  EXPECT_EQ(ReadFileBytes(temp / "missing", 100, data), ENOENT);
}

TEST(RemovePath, RemovesFilesAndReportsMissingOnes) {
  TempFolder temp;
  WriteFile(temp / "f", "x");
  EXPECT_EQ(RemovePath(temp / "f"), 0);
  EXPECT_FALSE(PathExists(temp / "f"));
  EXPECT_EQ(RemovePath(temp / "f"), ENOENT);
}

}  // namespace
}  // namespace zbe
