#include "export/ChatHtmlWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/ProgressRecorder.h"
#include "export/SampleConversations.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ProgressRecorder;
using test::ProgressReport;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

HtmlTemplate SmallTemplate() {
  HtmlTemplate tmpl;
  tmpl.head = "<p>{|person|}</p>\n";
  tmpl.tail = "</html>";
  return tmpl;
}

TEST(WriteChatHtml, WritesHeadWithMembersThenBubblesThenTail) {
  TempFolder temp;
  std::vector<WhatsAppMessage> chat = test::SampleChat();
  std::string path = temp / "WhatsApp Message/Trip-20240101000000/Trip.html";
  ProgressRecorder progress;
  ASSERT_EQ(WriteChatHtml(path, SmallTemplate(), chat.back(), chat, &progress), Result::Ok());
  EXPECT_EQ(ReadFile(path),
            "<p>Name: Ann,Bob, Phone: 111@s.whatsapp.net,222@s.whatsapp.net</p>\n"
            "<div class=\"date\">Date: 2022-01-01 10:00:00 Ann:</div>\r\n"
            "<div class=\"recv_msg\">See you, &quot;soon&quot;</div>\r\n"
            "<div class=\"date\">Date: 2022-01-01 10:01:00 Me:</div>\r\n"
            "<div class=\"send_msg\">Ok\nbye</div>\r\n"
            "<div class=\"date\">Date: 2022-01-01 10:02:00 Stranger:</div>\r\n"
            "<div class=\"recv_msg\">&lt;b&gt;hi&lt;/b&gt;</div>\r\n"
            "<div class=\"date\">Date: 2022-01-01 10:03:00 ~Zed:</div>\r\n"
            "<div class=\"recv_msg\">x</div>\r\n"
            "</html>");
  EXPECT_EQ(progress.reports, (std::vector<ProgressReport>{
                                  {25, 0, path}, {50, 0, path}, {75, 0, path}, {100, 0, path}}));
}

TEST(WriteChatHtml, TakesTheMembersAsTheyAreWithoutUnknown) {
  TempFolder temp;
  WhatsAppMessage row = test::Wa(0, "d", "A", "B", "t");
  row.memberNames.clear();
  row.memberJids.clear();
  ASSERT_EQ(WriteChatHtml(temp / "c.html", SmallTemplate(), row, {}, nullptr), Result::Ok());
  EXPECT_EQ(ReadFile(temp / "c.html"), "<p>Name: , Phone: </p>\n</html>");
}

TEST(WriteChatHtml, StopsTakingMessagesWhenAskedButStillWritesTheFile) {
  TempFolder temp;
  std::vector<WhatsAppMessage> chat = test::SampleChat();
  ProgressRecorder progress(/*stopAt=*/1);
  std::string path = temp / "c.html";
  EXPECT_EQ(WriteChatHtml(path, SmallTemplate(), chat.back(), chat, &progress), Result::Stopped());
  std::string written = ReadFile(path);
  EXPECT_NE(written.find("Ok\nbye"), std::string::npos);
  EXPECT_EQ(written.find("Stranger"), std::string::npos);
  EXPECT_TRUE(written.ends_with("</html>"));
  EXPECT_EQ(progress.reports, (std::vector<ProgressReport>{{25, 0, path}, {50, 0, path}}));
}

TEST(WriteChatHtml, ReportsAFileThatCannotBeCreatedAsFinishedWithItsError) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  std::vector<WhatsAppMessage> chat = test::SampleChat();
  std::string path = temp / "blocker/c.html";
  ProgressRecorder progress(/*stopAt=*/0);
  // Stopped and unwritable: the error still reaches the observer.
  EXPECT_EQ(WriteChatHtml(path, SmallTemplate(), chat.back(), chat, &progress),
            Result::System(ENOTDIR));
  EXPECT_EQ(progress.reports, (std::vector<ProgressReport>{{25, 0, path}, {100, ENOTDIR, path}}));
}

}  // namespace
}  // namespace zbe
