#include "export/ThreadTextWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/SampleConversations.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(WriteThreadText, WritesThreeLabelledLinesAndAnEmptyLinePerMessage) {
  TempFolder temp;
  std::string path = temp / "Message/Ann Lee-20240101000000/Ann Lee(+15551234).txt";
  ASSERT_EQ(WriteThreadText(path, test::SampleThread()), 0);
  EXPECT_EQ(ReadFile(path),
            "\xEF\xBB\xBF"
            "      From: Ann Lee(+15551234)\r\n"
            "      Data: 2021-03-04 05:06:07\r\n"
            "   Content: Hi <script>alert('x')</script> & bye\r\n"
            "\r\n"
            "        To: Ann Lee(+15551234)\r\n"
            "      Data: 2021-03-04 05:07:00\r\n"
            "   Content: Line one\r\nLine two\r\n"
            "\r\n"
            "      From: +15550000\r\n"
            "      Data: 2021-03-04 05:08:00\r\n"
            "   Content: who?\r\n"
            "\r\n");
}

TEST(WriteThreadText, WritesOnlyTheByteOrderMarkForAnEmptyThread) {
  TempFolder temp;
  ASSERT_EQ(WriteThreadText(temp / "t.txt", {}), 0);
  EXPECT_EQ(ReadFile(temp / "t.txt"), "\xEF\xBB\xBF");
}

TEST(WriteThreadText, ReturnsTheErrnoOfAFileThatCannotBeCreated) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  EXPECT_EQ(WriteThreadText(temp / "blocker/t.txt", test::SampleThread()), ENOTDIR);
}

}  // namespace
}  // namespace zbe
