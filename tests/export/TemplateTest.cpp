#include "export/Template.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

TEST(LoadTemplate, SplitsAtTheFirstContentMarkAndFillsEveryTitleOfTheHead) {
  TempFolder program;
  const std::string raw =
      "<title>{|title|}</title><h1>{|title|}</h1><p>{|person|}</p>\r\n{|content|}"
      "<i>{|title|}</i>{|content|}\n";
  WriteFile(program / "template/CallHistory.html", raw);
  HtmlTemplate tmpl;
  ASSERT_EQ(LoadTemplate(TemplateKind::kCallHistory, program.path() + "/", "Ann's iPhone", tmpl),
            0);
  EXPECT_EQ(tmpl.raw, raw);
  EXPECT_EQ(tmpl.head,
            "<title>iPhone's Call History of Ann&#39;s iPhone</title>"
            "<h1>iPhone's Call History of Ann&#39;s iPhone</h1><p>{|person|}</p>\r\n");
  EXPECT_EQ(tmpl.tail, "<i>{|title|}</i>{|content|}\n");
}

TEST(LoadTemplate, EscapesTheDeviceNameInTheTitle) {
  TempFolder program;
  WriteFile(program / "template/Sms.html", "{|title|}{|content|}");
  HtmlTemplate tmpl;
  ASSERT_EQ(
      LoadTemplate(TemplateKind::kMessages, program.path() + "/", "<script>x()</script>", tmpl), 0);
  EXPECT_EQ(tmpl.head, "iPhone's Messages of &lt;script&gt;x()&lt;/script&gt;");
}

TEST(LoadTemplate, UsesEachKindsFileAndTitlePrefix) {
  TempFolder program;
  for (const TemplateKindInfo& info : TemplateKinds()) {
    WriteFile(program / std::string(info.file), "{|title|}|{|content|}|");
  }
  const std::pair<TemplateKind, std::string> expected[] = {
      {TemplateKind::kCallHistory, "iPhone's Call History of D|"},
      {TemplateKind::kNotes, "iPhone's Notes of D|"},
      {TemplateKind::kContacts, "iPhone's Contacts of D|"},
      {TemplateKind::kMessages, "iPhone's Messages of D|"},
      {TemplateKind::kWhatsApp, "iPhone's WhatsApp Messages of D|"},
  };
  for (const auto& [kind, head] : expected) {
    HtmlTemplate tmpl;
    ASSERT_EQ(LoadTemplate(kind, program.path() + "/", "D", tmpl), 0);
    EXPECT_EQ(tmpl.head, head);
    EXPECT_EQ(tmpl.tail, "|");
  }
  EXPECT_EQ(TemplateInfo(TemplateKind::kContacts).file, "template/contacts.html");
}

TEST(LoadTemplate, TakesAWholeFileWithoutContentMarkAsHeadWithAnEmptyTail) {
  TempFolder program;
  WriteFile(program / "template/Notes.html", "<html>{|title|}</html>\n");
  HtmlTemplate tmpl;
  ASSERT_EQ(LoadTemplate(TemplateKind::kNotes, program.path() + "/", "D", tmpl), 0);
  EXPECT_EQ(tmpl.head, "<html>iPhone's Notes of D</html>\n");
  EXPECT_EQ(tmpl.tail, "");
}

TEST(LoadTemplate, ReturnsTheErrnoOfAMissingFileAndLeavesTheTemplateAlone) {
  TempFolder program;
  HtmlTemplate tmpl;
  tmpl.head = "kept";
  EXPECT_EQ(LoadTemplate(TemplateKind::kWhatsApp, program.path() + "/", "D", tmpl), ENOENT);
  EXPECT_EQ(tmpl.head, "kept");
  EXPECT_TRUE(tmpl.raw.empty());
}

TEST(LoadTemplate, ReadsTheFileOnlyWhileNoRawTextIsKept) {
  TempFolder program;
  WriteFile(program / "template/contacts.html", "a{|title|}{|content|}b");
  HtmlTemplate tmpl;
  ASSERT_EQ(LoadTemplate(TemplateKind::kContacts, program.path() + "/", "One", tmpl), 0);
  std::filesystem::remove(program / "template/contacts.html");
  ASSERT_EQ(LoadTemplate(TemplateKind::kContacts, program.path() + "/", "Two", tmpl), 0);
  EXPECT_EQ(tmpl.head, "aiPhone's Contacts of Two");
  EXPECT_EQ(tmpl.tail, "b");
}

TEST(LoadTemplate, KeepsTheTemplateBytesIncludingAByteOrderMark) {
  TempFolder program;
  using namespace std::string_literals;
  const std::string head = "\xEF\xBB\xBF<p>\xC3\xA9\r\n\0x</p>"s;
  WriteFile(program / "template/Sms.html", head + "{|content|}");
  HtmlTemplate tmpl;
  ASSERT_EQ(LoadTemplate(TemplateKind::kMessages, program.path() + "/", "D", tmpl), 0);
  EXPECT_EQ(tmpl.head.size(), 16u);
  EXPECT_EQ(tmpl.head, head);
}

TEST(SplitTemplate, FillsNoPlaceholder) {
  HtmlTemplate tmpl;
  tmpl.raw = "<h1>{|title|}</h1>{|content|}</html>";
  SplitTemplate(tmpl);
  EXPECT_EQ(tmpl.head, "<h1>{|title|}</h1>");
  EXPECT_EQ(tmpl.tail, "</html>");
}

TEST(FillPerson, ReplacesEveryPersonMarkWithTheEscapedNameAndPhone) {
  EXPECT_EQ(FillPerson("<p>{|person|}</p><i>{|person|}</i>", "Tom & \"Jerry\"", "+1 <555>"),
            "<p>Name: Tom &amp; &quot;Jerry&quot;, Phone: +1 &lt;555&gt;</p>"
            "<i>Name: Tom &amp; &quot;Jerry&quot;, Phone: +1 &lt;555&gt;</i>");
  EXPECT_EQ(FillPerson("{|title|}", "A", "B"), "{|title|}");
  // An inserted value is not searched for marks again.
  EXPECT_EQ(FillPerson("{|person|}", "{|person|}", ""), "Name: {|person|}, Phone: ");
}

// The templates that ship with the program: they must load, and their markup must fit what the
// writers put between head and tail.
class ShippedTemplates : public ::testing::Test {
 protected:
  static std::string SourceFolder() { return std::string(ZBE_SOURCE_DIR) + "/"; }

  static HtmlTemplate Load(TemplateKind kind) {
    HtmlTemplate tmpl;
    EXPECT_EQ(LoadTemplate(kind, SourceFolder(), "Device", tmpl), 0);
    return tmpl;
  }

  // The header cells of the first table header row.
  static std::vector<std::string> HeaderCells(const std::string& head) {
    std::vector<std::string> cells;
    std::regex cell("<th[^>]*>([^<]*)</th>");
    for (auto it = std::sregex_iterator(head.begin(), head.end(), cell);
         it != std::sregex_iterator(); ++it) {
      cells.push_back((*it)[1]);
    }
    return cells;
  }
};

TEST_F(ShippedTemplates, HaveOneContentMarkAndTheirTitleOnlyInTheHead) {
  for (const TemplateKindInfo& info : TemplateKinds()) {
    SCOPED_TRACE(std::string(info.file));
    HtmlTemplate tmpl = Load(info.kind);
    EXPECT_EQ(Occurrences(tmpl.raw, "{|content|}"), 1u);
    EXPECT_GE(Occurrences(tmpl.raw, "{|title|}"), 1u);
    EXPECT_EQ(Occurrences(tmpl.head, "{|title|}"), 0u);
    EXPECT_EQ(Occurrences(tmpl.tail, "{|title|}"), 0u);
    EXPECT_NE(tmpl.head.find("<title>" + std::string(info.titlePrefix) + "Device</title>"),
              std::string::npos);
    EXPECT_NE(tmpl.head.find("charset=\"utf-8\""), std::string::npos);
    EXPECT_EQ(tmpl.raw.find("http"), std::string::npos) << "no external resources";
  }
}

TEST_F(ShippedTemplates, ConversationTemplatesNameThePersonAndStyleTheBubbles) {
  for (TemplateKind kind : {TemplateKind::kMessages, TemplateKind::kWhatsApp}) {
    HtmlTemplate tmpl = Load(kind);
    EXPECT_EQ(Occurrences(tmpl.head, "{|person|}"), 1u);
    EXPECT_EQ(Occurrences(tmpl.tail, "{|person|}"), 0u);
    for (const char* selector : {".date", ".send_msg", ".recv_msg"}) {
      EXPECT_NE(tmpl.head.find(selector), std::string::npos) << selector;
    }
    EXPECT_NE(tmpl.head.find("white-space: pre-wrap"), std::string::npos);
  }
}

TEST_F(ShippedTemplates, TableHeadersFollowTheCellsOfTheRows) {
  EXPECT_EQ(
      HeaderCells(Load(TemplateKind::kContacts).head),
      (std::vector<std::string>{"Name", "Phone", "Email", "Address", "URL", "Social", "Company"}));
  EXPECT_EQ(HeaderCells(Load(TemplateKind::kCallHistory).head),
            (std::vector<std::string>{"Name", "Phone Number", "Date", "Type", "Duration"}));
  EXPECT_EQ(HeaderCells(Load(TemplateKind::kNotes).head),
            (std::vector<std::string>{"Title", "Date", "Note"}));
  for (TemplateKind kind :
       {TemplateKind::kContacts, TemplateKind::kCallHistory, TemplateKind::kNotes}) {
    HtmlTemplate tmpl = Load(kind);
    // The rows go straight into the table body.
    EXPECT_TRUE(tmpl.head.ends_with("<tbody>\n")) << tmpl.head.substr(tmpl.head.size() - 20);
    EXPECT_TRUE(tmpl.tail.starts_with("\n</tbody>"));
  }
}

TEST_F(ShippedTemplates, PrintPageHasContentMarkAndInitFunction) {
  std::string raw;
  ASSERT_EQ(ReadTemplateFile(SourceFolder() + std::string(kPrintTemplateFile), raw), 0);
  EXPECT_EQ(Occurrences(raw, "{|content|}"), 1u);
  EXPECT_EQ(Occurrences(raw, "{|title|}"), 0u);
  EXPECT_NE(raw.find("function Init()"), std::string::npos);
}

TEST_F(ShippedTemplates, ShipBesideTheBuiltProgram) {
  for (const TemplateKindInfo& info : TemplateKinds()) {
    HtmlTemplate tmpl;
    EXPECT_EQ(LoadTemplate(info.kind, std::string(ZBE_BIN_DIR) + "/", "D", tmpl), 0) << info.file;
  }
  std::string raw;
  EXPECT_EQ(ReadTemplateFile(std::string(ZBE_BIN_DIR) + "/" + std::string(kPrintTemplateFile), raw),
            0);
}

}  // namespace
}  // namespace zbe
