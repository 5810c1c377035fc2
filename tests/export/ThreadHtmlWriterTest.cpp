#include "export/ThreadHtmlWriter.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "export/ProgressRecorder.h"
#include "export/SampleConversations.h"
#include "export/Template.h"
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
  tmpl.head = "<h1>Title</h1><p>{|person|}</p>\r\n";
  tmpl.tail = "<footer>{|person|}</footer>\n";
  return tmpl;
}

const char kFirst[] =
    "<div class=\"date\">Date: 2021-03-04 05:06:07 Ann Lee:</div>\r\n"
    "<div class=\"recv_msg\">Hi &lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; bye"
    "</div>\r\n";
const char kSecond[] =
    "<div class=\"date\">Date: 2021-03-04 05:07:00 Me:</div>\r\n"
    "<div class=\"send_msg\">Line one\nLine two</div>\r\n";
const char kThird[] =
    "<div class=\"date\">Date: 2021-03-04 05:08:00 +15550000:</div>\r\n"
    "<div class=\"recv_msg\">who?</div>\r\n";

TEST(WriteThreadHtml, WritesHeadWithPersonThenBubblesThenTail) {
  TempFolder temp;
  std::vector<MessageRecord> thread = test::SampleThread();
  std::string path = temp / "Message/Unknown-20240101000000/Unknown(+15550000).html";
  ProgressRecorder progress;
  ASSERT_EQ(WriteThreadHtml(path, SmallTemplate(), thread.back(), thread, &progress), Result::Ok());
  EXPECT_EQ(ReadFile(path),
            std::string("<h1>Title</h1><p>Name: Unknown, Phone: +15550000</p>\r\n") + kFirst +
                kSecond + kThird + "<footer>{|person|}</footer>\n");
  EXPECT_EQ(progress.reports,
            (std::vector<ProgressReport>{{33, 0, path}, {66, 0, path}, {100, 0, path}}));
}

TEST(WriteThreadHtml, NamesAThreadWithoutContactUnknown) {
  TempFolder temp;
  MessageRecord row = test::Sms(0, "2021-01-01 00:00:00", "", "<a@b.c>", "x");
  ASSERT_EQ(WriteThreadHtml(temp / "t.html", SmallTemplate(), row, {row}, nullptr), Result::Ok());
  EXPECT_EQ(ReadFile(temp / "t.html"),
            "<h1>Title</h1><p>Name: Unknown, Phone: &lt;a@b.c&gt;</p>\r\n"
            "<div class=\"date\">Date: 2021-01-01 00:00:00 &lt;a@b.c&gt;:</div>\r\n"
            "<div class=\"recv_msg\">x</div>\r\n<footer>{|person|}</footer>\n");
}

TEST(WriteThreadHtml, StopsTakingMessagesWhenAskedButStillWritesTheFile) {
  TempFolder temp;
  std::vector<MessageRecord> thread = test::SampleThread();
  ProgressRecorder progress(/*stopAt=*/0);
  std::string path = temp / "t.html";
  EXPECT_EQ(WriteThreadHtml(path, SmallTemplate(), thread.front(), thread, &progress),
            Result::Stopped());
  EXPECT_EQ(ReadFile(path),
            std::string("<h1>Title</h1><p>Name: Ann Lee, Phone: +15551234</p>\r\n") + kFirst +
                "<footer>{|person|}</footer>\n");
  // Not listed as finished: the file holds only part of the thread.
  EXPECT_EQ(progress.reports, (std::vector<ProgressReport>{{33, 0, path}}));
}

TEST(WriteThreadHtml, ReportsAFileThatCannotBeCreatedAsFinishedWithItsError) {
  TempFolder temp;
  WriteFile(temp / "blocker", "");
  std::vector<MessageRecord> thread = test::SampleThread();
  std::string path = temp / "blocker/Message/t.html";
  ProgressRecorder progress;
  EXPECT_EQ(WriteThreadHtml(path, SmallTemplate(), thread.back(), thread, &progress),
            Result::System(ENOTDIR));
  // Never a success report for a file that is not there.
  EXPECT_EQ(progress.reports,
            (std::vector<ProgressReport>{{33, 0, path}, {66, 0, path}, {100, ENOTDIR, path}}));
}

TEST(WriteThreadHtml, WritesHeadAndTailAloneForAnEmptyThread) {
  TempFolder temp;
  WriteFile(temp / "t.html", std::string(5000, 'x'));  // truncated
  ProgressRecorder progress;
  MessageRecord row = test::Sms(0, "", "Ann", "+1", "x");
  ASSERT_EQ(WriteThreadHtml(temp / "t.html", SmallTemplate(), row, {}, &progress), Result::Ok());
  EXPECT_EQ(ReadFile(temp / "t.html"),
            "<h1>Title</h1><p>Name: Ann, Phone: +1</p>\r\n<footer>{|person|}</footer>\n");
  EXPECT_TRUE(progress.reports.empty());
}

TEST(WriteThreadHtml, ReportsOneHundredOnceForASingleMessage) {
  TempFolder temp;
  ProgressRecorder progress(/*stopAt=*/0);
  MessageRecord row = test::Sms(1, "2021-01-01 00:00:00", "Ann", "+1", "x");
  // The only report comes after the write; answering 2 to it leaves a complete file.
  ASSERT_EQ(WriteThreadHtml(temp / "t.html", SmallTemplate(), row, {row}, &progress), Result::Ok());
  EXPECT_EQ(progress.reports, (std::vector<ProgressReport>{{100, 0, temp / "t.html"}}));
}

TEST(WriteThreadHtml, ReportsIntegerPercentsThatNeverReach100BeforeTheEnd) {
  TempFolder temp;
  std::vector<MessageRecord> thread(7, test::Sms(0, "d", "A", "1", "t"));
  ProgressRecorder progress;
  ASSERT_EQ(WriteThreadHtml(temp / "t.html", SmallTemplate(), thread.back(), thread, &progress),
            Result::Ok());
  std::vector<int32_t> percents;
  for (const ProgressReport& report : progress.reports) {
    percents.push_back(report.percent);
  }
  EXPECT_EQ(percents, (std::vector<int32_t>{14, 28, 42, 57, 71, 85, 100}));
}

TEST(WriteThreadHtml, FillsTheShippedTemplate) {
  TempFolder temp;
  HtmlTemplate tmpl;
  ASSERT_EQ(
      LoadTemplate(TemplateKind::kMessages, std::string(ZBE_SOURCE_DIR) + "/", "Ann's <b>", tmpl),
      0);
  std::vector<MessageRecord> thread = test::SampleThread();
  ASSERT_EQ(WriteThreadHtml(temp / "t.html", tmpl, thread.front(), thread, nullptr), Result::Ok());
  std::string written = ReadFile(temp / "t.html");
  EXPECT_TRUE(written.starts_with("<!DOCTYPE html>"));
  EXPECT_NE(written.find("<title>iPhone's Messages of Ann&#39;s &lt;b&gt;</title>"),
            std::string::npos);
  EXPECT_NE(written.find("Name: Ann Lee, Phone: +15551234"), std::string::npos);
  EXPECT_NE(written.find(std::string("\n") + kFirst + kSecond + kThird), std::string::npos);
  EXPECT_TRUE(written.ends_with(tmpl.tail));
  EXPECT_EQ(written.find("{|"), std::string::npos);
}

}  // namespace
}  // namespace zbe
