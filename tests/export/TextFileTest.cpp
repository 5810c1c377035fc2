#include "export/TextFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const std::string kBom = "\xEF\xBB\xBF";

TEST(TextFile, StartsWithAByteOrderMarkAndWritesLineEndsAsCrLf) {
  TempFolder temp;
  std::string path = temp / "a/b/out.txt";
  TextFile file;
  ASSERT_EQ(file.Create(path), 0);
  file.Write("one\ntwo\n\nthree");
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(ReadFile(path), kBom + "one\r\ntwo\r\n\r\nthree");
}

TEST(TextFile, KeepsACrLfOfTheTextAsItIsAcrossWrites) {
  TempFolder temp;
  TextFile file;
  ASSERT_EQ(file.Create(temp / "out.txt"), 0);
  file.Write("a\r\nb\r");
  file.Write("\nc\rd\n");
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(ReadFile(temp / "out.txt"), kBom + "a\r\nb\r\nc\rd\r\n");
}

TEST(TextFile, FlushWritesWhatWasBuffered) {
  TempFolder temp;
  TextFile file;
  ASSERT_EQ(file.Create(temp / "out.txt"), 0);
  file.Write("first\n");
  EXPECT_EQ(ReadFile(temp / "out.txt"), "");  // the mark too waits for the first write
  ASSERT_EQ(file.Flush(), 0);
  EXPECT_EQ(ReadFile(temp / "out.txt"), kBom + "first\r\n");
}

TEST(TextFile, DestructionWritesBufferedText) {
  TempFolder temp;
  {
    TextFile file;
    ASSERT_EQ(file.Create(temp / "out.txt"), 0);
    file.Write("kept\n");
  }
  EXPECT_EQ(ReadFile(temp / "out.txt"), kBom + "kept\r\n");
}

TEST(TextFile, TruncatesAnExistingFile) {
  TempFolder temp;
  WriteFile(temp / "out.txt", std::string(100, 'x'));
  TextFile file;
  ASSERT_EQ(file.Create(temp / "out.txt"), 0);
  file.Write("new");
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(ReadFile(temp / "out.txt"), kBom + "new");
}

TEST(TextFile, ReportsAPathThatCannotBeCreated) {
  TempFolder temp;
  WriteFile(temp / "blocker", "a file, not a folder");
  TextFile file;
  EXPECT_EQ(file.Create(temp / "blocker/sub/out.txt"), ENOTDIR);
  file.Write("ignored");
  EXPECT_EQ(file.Close(), 0);
  EXPECT_FALSE(std::filesystem::exists(temp / "blocker/sub"));
}

TEST(TextFile, ReportsAFailedWrite) {
  if (!std::filesystem::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full";
  }
  TextFile file;
  // The mark fits in no block of a full device; the error is kept for every later call.
  ASSERT_EQ(file.Create("/dev/full"), 0);
  EXPECT_EQ(file.Flush(), ENOSPC);
  file.Write("more\n");
  EXPECT_EQ(file.Close(), ENOSPC);
}

}  // namespace
}  // namespace zbe
