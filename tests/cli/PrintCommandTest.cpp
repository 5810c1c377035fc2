// "zbe print": the page of each category as the print window builds it, other categories,
// --only, and bad arguments.

#include <gtest/gtest.h>

#include <filesystem>

#include "backup/CBackupParser.h"
#include "backup/ScanSession.h"
#include "export/PrintFragments.h"
#include "export/PrintPage.h"
#include "export/SelectionFill.h"
#include "support/RunProgram.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunProgram;
using test::TempFolder;

class PrintCommandTest : public ::testing::Test {
 protected:
  PrintCommandTest() {
    mkbackup::SampleOptions options;
    options.lastBackupDate = 1580512205;
    test::WriteSample(mkbackup::MakeSampleBackup(options), backup_);
    HtmlTemplate tmpl;
    EXPECT_EQ(LoadPrintTemplate(std::string(ZBE_BIN_DIR) + "/", tmpl), 0);
    head_ = tmpl.head;
    tail_ = tmpl.tail;
  }

  test::ProgramResult Zbe(const std::vector<std::string>& arguments) {
    return RunProgram("zbe", arguments,
                      {{"XDG_DATA_HOME", home_.path()}, {"TMPDIR", tmp_.path()}, {"TZ", "UTC"}});
  }

  // The body that the print window builds for "category" with everything checked.
  std::string ExpectedBody(RecordCategory category) {
    CBackupParser parser(temp_ / "work");
    BackupSummary summary;
    parser.ReadBackupSummary(backup_, summary);
    ScanSession session(parser);
    session.Run(summary, "", CategorySet().Add(category));
    CStatisticsObj selection;
    FillSelection(session.results(), selection);
    std::string body;
    AppendPrintFragments(
        category, session.results(), selection, [] { return false; }, body);
    return body;
  }

  TempFolder temp_;
  TempFolder home_;
  TempFolder tmp_;
  std::string backup_ = temp_ / "backup";
  std::string page_ = temp_ / "pages/page.html";
  std::string head_;
  std::string tail_;
};

TEST_F(PrintCommandTest, WritesThePageOfEachRecordCategory) {
  const std::pair<const char*, RecordCategory> kCategories[] = {
      {"messages", RecordCategory::kMessages},
      {"contacts", RecordCategory::kContacts},
      {"call-history", RecordCategory::kCallHistory},
      {"notes", RecordCategory::kNotes},
      {"whatsapp", RecordCategory::kWhatsApp}};
  for (const auto& [name, category] : kCategories) {
    auto result = Zbe({"print", backup_, "--category", name, "--out", page_});
    ASSERT_EQ(result.status, 0) << name << ": " << result.err;
    EXPECT_EQ(result.out, "");
    std::string body = ExpectedBody(category);
    EXPECT_NE(body.find("<div>\r\n<p><span>"), std::string::npos) << name;
    EXPECT_EQ(ReadFile(page_), head_ + body + tail_) << name;
  }
  EXPECT_NE(head_.find("function Init()"), std::string::npos);
}

TEST_F(PrintCommandTest, PrintsTheOwnersGroupMessagesArchivedTextsAndWholeNotes) {
  ASSERT_EQ(Zbe({"print", backup_, "--category", "messages", "--out", page_}).status, 0);
  std::string page = ReadFile(page_);
  const std::string dinner =
      "<p><span>To:</span>Family 🏡(+14155550134, +13125550162, +19195550123)</p>\r\n"
      "<p><span>Date:</span>";
  EXPECT_NE(page.find(dinner), std::string::npos);
  EXPECT_EQ(page.find("Dinner at ours on Sunday? 🍝"), page.rfind("Dinner at ours on Sunday? 🍝"));
  EXPECT_NE(page.find("<p><span>Content:</span>Only in the archive: see you at 8 ✨</p>"),
            std::string::npos);
  ASSERT_EQ(Zbe({"print", backup_, "--category", "notes", "--out", page_}).status, 0);
  page = ReadFile(page_);
  EXPECT_NE(page.find("Day 5: Cascais beach, back for dinner in Bairro Alto."), std::string::npos);
  EXPECT_NE(page.find("<p><span>Notes:</span>This note is locked.</p>"), std::string::npos);
}

TEST_F(PrintCommandTest, OtherCategoriesAndUnscannedOnesGiveAnEmptyBody) {
  ASSERT_EQ(Zbe({"print", backup_, "--category", "camera-roll", "--out", page_}).status, 0);
  EXPECT_EQ(ReadFile(page_), head_ + tail_);
  ASSERT_EQ(
      Zbe({"print", backup_, "--category", "notes", "--only", "contacts", "--out", page_}).status,
      0);
  EXPECT_EQ(ReadFile(page_), head_ + tail_);
}

TEST_F(PrintCommandTest, RejectsBadArguments) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"print", backup_, "--out", page_},
           {"print", backup_, "--category", "texts", "--out", page_},
           {"print", backup_, "--category", "notes"},
           {"print", "--category", "notes", "--out", page_},
           {"print", backup_, "--category", "notes", "--out", backup_ + "/page.html"}}) {
    auto result = Zbe(arguments);
    EXPECT_EQ(result.status, 1) << arguments.back();
    EXPECT_NE(result.err.find("usage: zbe print"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(backup_ + "/page.html"));
  EXPECT_EQ(Zbe({"print", temp_.path(), "--category", "notes", "--out", page_}).status, 3);
  std::string blocked = temp_ / "file";
  test::WriteFile(blocked, "x");
  auto result = Zbe({"print", backup_, "--category", "notes", "--out", blocked + "/page.html"});
  EXPECT_EQ(result.status, 5);
  EXPECT_NE(result.err.find("Not a directory"), std::string::npos);
}

}  // namespace
}  // namespace zbe
