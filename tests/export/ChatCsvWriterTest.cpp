#include "export/ChatCsvWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/SampleConversations.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(WriteChatCsv, WritesTheHeaderAndOneLinePerMessage) {
  TempFolder temp;
  std::string path = temp / "WhatsApp Message/Trip-20240101000000/Trip.csv";
  ASSERT_EQ(WriteChatCsv(path, test::SampleChat()), 0);
  EXPECT_EQ(ReadFile(path),
            "\xEF\xBB\xBF"
            "Chats,Name/Phone,Date,Type,Content\r\n"
            "Ann,Annie,2022-01-01 10:00:00,Received,\"See you, \"\"soon\"\"\"\r\n"
            "Me,,2022-01-01 10:01:00,Send,\"Ok\r\nbye\"\r\n"
            "Unknown,Stranger,2022-01-01 10:02:00,Received,<b>hi</b>\r\n"
            ",~Zed,2022-01-01 10:03:00,Received,x\r\n");
}

TEST(WriteChatCsv, QuotesEveryFieldThatWouldBreakItsColumns) {
  TempFolder temp;
  WhatsAppMessage message = test::Wa(0, "d", "Smith, Ann", "\"A\"", "cr\ronly");
  ASSERT_EQ(WriteChatCsv(temp / "c.csv", {message}), 0);
  EXPECT_EQ(ReadFile(temp / "c.csv"),
            "\xEF\xBB\xBF"
            "Chats,Name/Phone,Date,Type,Content\r\n"
            "\"Smith, Ann\",\"\"\"A\"\"\",d,Received,\"cr\ronly\"\r\n");
}

TEST(WriteChatCsv, WritesOnlyTheHeaderForAnEmptyChat) {
  TempFolder temp;
  ASSERT_EQ(WriteChatCsv(temp / "c.csv", {}), 0);
  EXPECT_EQ(ReadFile(temp / "c.csv"),
            "\xEF\xBB\xBF"
            "Chats,Name/Phone,Date,Type,Content\r\n");
}

TEST(WriteChatCsv, ReturnsTheErrnoOfAFileThatCannotBeCreated) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  EXPECT_EQ(WriteChatCsv(temp / "blocker/c.csv", test::SampleChat()), ENOTDIR);
  EXPECT_FALSE(std::filesystem::exists(temp / "blocker/c.csv"));
}

TEST(AppendCsvField, LeavesPlainValuesAlone) {
  std::string line;
  AppendCsvField(line, "plain text; with 'apostrophes' and tabs\t");
  AppendCsvField(line, "");
  EXPECT_EQ(line, "plain text; with 'apostrophes' and tabs\t");
}

}  // namespace
}  // namespace zbe
