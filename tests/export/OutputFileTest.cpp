#include "export/OutputFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(WriteOutputFile, CreatesTheFoldersAndWritesThePiecesInOrder) {
  TempFolder temp;
  std::string path = temp / "Message/Ann-20240102030405/Ann(+1).html";
  ASSERT_EQ(WriteOutputFile(path, {"<head>", "", "body\r\n", "</tail>"}), 0);
  EXPECT_EQ(ReadFile(path), "<head>body\r\n</tail>");
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0600, 0600u);
}

TEST(WriteOutputFile, TruncatesAnExistingFile) {
  TempFolder temp;
  WriteFile(temp / "out.html", std::string(1000, 'x'));
  ASSERT_EQ(WriteOutputFile(temp / "out.html", {"short"}), 0);
  EXPECT_EQ(ReadFile(temp / "out.html"), "short");
}

TEST(WriteOutputFile, ReturnsTheErrnoOfAFailedCreate) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  EXPECT_EQ(WriteOutputFile(temp / "blocker/out.html", {"x"}), ENOTDIR);
  std::filesystem::create_directory(temp / "folder");
  EXPECT_EQ(WriteOutputFile(temp / "folder", {"x"}), EISDIR);
}

TEST(WriteOutputFile, ReturnsTheErrnoOfAFailedWrite) {
  if (!std::filesystem::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full";
  }
  EXPECT_EQ(WriteOutputFile("/dev/full", {"bytes"}), ENOSPC);
}

}  // namespace
}  // namespace zbe
