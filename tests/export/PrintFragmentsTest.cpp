// The print page's fragments: exact bytes per category, only checked records, escaping, and
// stopping on cancel.

#include "export/PrintFragments.h"

#include <gtest/gtest.h>

#include "export/SampleConversations.h"
#include "export/SelectionFill.h"

namespace zbe {
namespace {

const PrintCancelCheck kNever = [] { return false; };

// Answers true from its "after"-th question on (0: at once).
PrintCancelCheck CancelAfter(int after) {
  auto asked = std::make_shared<int>(0);
  return [asked, after] { return (*asked)++ >= after; };
}

class PrintFragmentsTest : public ::testing::Test {
 protected:
  PrintFragmentsTest() {
    results_.messages[7] = test::SampleThread();
    MessageRecord other = test::Sms(0, "2021-05-01 00:00:00", "", "+1999", "second thread");
    other.handleId = 8;
    results_.messages[8] = {other};
    results_.conversationRows = BuildConversationRows(results_.messages);
    results_.whatsApp[3] = test::SampleChat();
    results_.chatRows = BuildChatRows(results_.whatsApp);

    ContactRecord ann;
    ann.name = "Ann <Lee>";
    ann.phone = "+1 555\n+44 20";
    ann.company = "A & B";
    ann.email = "ann@example.com";
    ann.url = "https://a.example";
    ContactRecord bob;
    bob.name = "Bob";
    results_.contacts = {ann, bob};

    CallRecord missed;
    missed.contactName = "Ann";
    missed.address = "+1555";
    missed.date = "2021-01-01 10:00:00";
    missed.answered = 1;
    CallRecord outgoing;
    outgoing.address = "+1666";
    outgoing.date = "2021-01-02 10:00:00";
    outgoing.duration = 3725;
    results_.calls = {missed, outgoing};

    NoteRecord note;
    note.title = "List";
    note.date = "2021-02-03 04:05:06";
    note.body = "eggs\n<milk>";
    results_.notes = {note};

    for (int32_t i = 0; i < kRecordCategoryCount; ++i) {
      results_.categoryResults[static_cast<size_t>(i)] = 0;
    }
    FillSelection(results_, selection_);
  }

  std::string Build(RecordCategory category, Result expected = Result::Ok(),
                    const PrintCancelCheck& cancelled = kNever) {
    std::string body = "[";
    EXPECT_EQ(AppendPrintFragments(category, results_, selection_, cancelled, body), expected);
    return body;
  }

  ScanResults results_;
  CStatisticsObj selection_;
};

TEST_F(PrintFragmentsTest, MessagesGiveOneBlockPerMessageOfEachCheckedThread) {
  EXPECT_EQ(Build(RecordCategory::kMessages),
            "[<div>\r\n"
            "<p><span>From:</span>Ann Lee(+15551234)</p>\r\n"
            "<p><span>Date:</span>2021-03-04 05:06:07</p>\r\n"
            "<p><span>Content:</span>Hi &lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; "
            "bye</p>\r\n"
            "</div>\r\n"
            "<div>\r\n"
            "<p><span>To:</span>Ann Lee(+15551234)</p>\r\n"
            "<p><span>Date:</span>2021-03-04 05:07:00</p>\r\n"
            "<p><span>Content:</span>Line one\nLine two</p>\r\n"
            "</div>\r\n"
            "<div>\r\n"
            "<p><span>From:</span>+15550000</p>\r\n"
            "<p><span>Date:</span>2021-03-04 05:08:00</p>\r\n"
            "<p><span>Content:</span>who?</p>\r\n"
            "</div>\r\n"
            "<div>\r\n"
            "<p><span>From:</span>+1999</p>\r\n"
            "<p><span>Date:</span>2021-05-01 00:00:00</p>\r\n"
            "<p><span>Content:</span>second thread</p>\r\n"
            "</div>\r\n");
}

TEST_F(PrintFragmentsTest, LeavesOutUncheckedThreadsAndRecords) {
  selection_.SetItemChecked(RecordCategory::kMessages, 0, false);
  EXPECT_EQ(Build(RecordCategory::kMessages),
            "[<div>\r\n"
            "<p><span>From:</span>+1999</p>\r\n"
            "<p><span>Date:</span>2021-05-01 00:00:00</p>\r\n"
            "<p><span>Content:</span>second thread</p>\r\n"
            "</div>\r\n");
  selection_.SetItemChecked(RecordCategory::kContacts, 0, false);
  EXPECT_EQ(Build(RecordCategory::kContacts),
            "[<div>\r\n<p><span>Name:</span>Bob</p>\r\n<p><span>Phone Number:</span></p>\r\n"
            "<p><span>Company:</span></p>\r\n<p><span>Email:</span></p>\r\n"
            "<p><span>URL:</span></p>\r\n</div>\r\n");
  selection_.SetCategoryChecked(RecordCategory::kWhatsApp, false);
  EXPECT_EQ(Build(RecordCategory::kWhatsApp), "[");
}

TEST_F(PrintFragmentsTest, ContactsCallsAndNotes) {
  selection_.SetItemChecked(RecordCategory::kContacts, 1, false);
  EXPECT_EQ(Build(RecordCategory::kContacts),
            "[<div>\r\n"
            "<p><span>Name:</span>Ann &lt;Lee&gt;</p>\r\n"
            "<p><span>Phone Number:</span>+1 555\n+44 20</p>\r\n"
            "<p><span>Company:</span>A &amp; B</p>\r\n"
            "<p><span>Email:</span>ann@example.com</p>\r\n"
            "<p><span>URL:</span>https://a.example</p>\r\n"
            "</div>\r\n");
  EXPECT_EQ(Build(RecordCategory::kCallHistory),
            "[<div>\r\n"
            "<p><span>Name:</span>Ann</p>\r\n"
            "<p><span>Phone Number:</span>+1555</p>\r\n"
            "<p><span>Date:</span>2021-01-01 10:00:00</p>\r\n"
            "<p><span>Type:</span>Incoming</p>\r\n"
            "<p><span>Duration:</span>Missed</p>\r\n"
            "</div>\r\n"
            "<div>\r\n"
            "<p><span>Name:</span></p>\r\n"
            "<p><span>Phone Number:</span>+1666</p>\r\n"
            "<p><span>Date:</span>2021-01-02 10:00:00</p>\r\n"
            "<p><span>Type:</span>Outgoing</p>\r\n"
            "<p><span>Duration:</span>1 Hour 2 Min</p>\r\n"
            "</div>\r\n");
  EXPECT_EQ(Build(RecordCategory::kNotes),
            "[<div>\r\n"
            "<p><span>Title:</span>List</p>\r\n"
            "<p><span>Date:</span>2021-02-03 04:05:06</p>\r\n"
            "<p><span>Notes:</span>eggs\n&lt;milk&gt;</p>\r\n"
            "</div>\r\n");
}

TEST_F(PrintFragmentsTest, WhatsAppHeadsEachChatWithItsRowAndListsItsMessages) {
  EXPECT_EQ(Build(RecordCategory::kWhatsApp),
            "[<div>\r\n"
            "<p><span>Chats:</span>Trip</p>\r\n"
            "<p><span>Name:</span>Ann,Bob</p>\r\n"
            "<p><span>Phone Number:</span>111@s.whatsapp.net,222@s.whatsapp.net</p>\r\n"
            "<p><span>Content:</span></p>\r\n"
            "<p>Ann (2022-01-01 10:00:00): See you, &quot;soon&quot;</p>"
            "<p>Me (2022-01-01 10:01:00): Ok\nbye</p>"
            "<p>Unknown (2022-01-01 10:02:00): &lt;b&gt;hi&lt;/b&gt;</p>"
            "<p> (2022-01-01 10:03:00): x</p>"
            "</div>\r\n");
  // Without member names the row's sender and push name stand in.
  results_.chatRows[0].memberNames.clear();
  results_.chatRows[0].memberJids.clear();
  std::string body = Build(RecordCategory::kWhatsApp);
  EXPECT_NE(body.find("<p><span>Name:</span></p>\r\n<p><span>Phone Number:</span>~Zed</p>"),
            std::string::npos)
      << body;
}

TEST_F(PrintFragmentsTest, OtherCategoriesAddNothing) {
  EXPECT_EQ(Build(RecordCategory::kCameraRoll), "[");
  EXPECT_EQ(Build(RecordCategory::kSafariBookmark), "[");
}

TEST_F(PrintFragmentsTest, StopsOnCancelKeepingTheBlocksBuiltSoFar) {
  EXPECT_EQ(Build(RecordCategory::kContacts, Result::Stopped(), CancelAfter(0)), "[");
  std::string notes = Build(RecordCategory::kCallHistory, Result::Stopped(), CancelAfter(1));
  EXPECT_EQ(notes.find("+1666"), std::string::npos);
  EXPECT_NE(notes.find("+1555"), std::string::npos);
  // Messages ask before each message: two of the first thread's three messages.
  std::string messages = Build(RecordCategory::kMessages, Result::Stopped(), CancelAfter(2));
  EXPECT_NE(messages.find("Line one"), std::string::npos);
  EXPECT_EQ(messages.find("who?"), std::string::npos);
  // A chat cut short is still closed.
  EXPECT_EQ(Build(RecordCategory::kWhatsApp, Result::Stopped(), CancelAfter(2)),
            "[<div>\r\n"
            "<p><span>Chats:</span>Trip</p>\r\n"
            "<p><span>Name:</span>Ann,Bob</p>\r\n"
            "<p><span>Phone Number:</span>111@s.whatsapp.net,222@s.whatsapp.net</p>\r\n"
            "<p><span>Content:</span></p>\r\n"
            "<p>Ann (2022-01-01 10:00:00): See you, &quot;soon&quot;</p>"
            "</div>\r\n");
}

}  // namespace
}  // namespace zbe
