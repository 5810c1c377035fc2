#include "export/ChatTextWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/SampleConversations.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(WriteChatText, WritesTheTranscriptWithWhatsAppParties) {
  TempFolder temp;
  std::string path = temp / "WhatsApp Message/Trip-20240101000000/Trip.txt";
  ASSERT_EQ(WriteChatText(path, test::SampleChat()), 0);
  EXPECT_EQ(ReadFile(path),
            "\xEF\xBB\xBF"
            "      From: Ann(Annie)\r\n"
            "      Data: 2022-01-01 10:00:00\r\n"
            "   Content: See you, \"soon\"\r\n"
            "\r\n"
            "        To: Me()\r\n"
            "      Data: 2022-01-01 10:01:00\r\n"
            "   Content: Ok\r\nbye\r\n"
            "\r\n"
            "      From: Stranger\r\n"
            "      Data: 2022-01-01 10:02:00\r\n"
            "   Content: <b>hi</b>\r\n"
            "\r\n"
            "      From: ~Zed\r\n"
            "      Data: 2022-01-01 10:03:00\r\n"
            "   Content: x\r\n"
            "\r\n");
}

TEST(WriteChatText, ReturnsTheErrnoOfAFileThatCannotBeCreated) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  EXPECT_EQ(WriteChatText(temp / "blocker/sub/t.txt", test::SampleChat()), ENOTDIR);
}

}  // namespace
}  // namespace zbe
