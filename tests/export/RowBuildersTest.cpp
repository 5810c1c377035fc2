#include "export/RowBuilders.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

CallRecord Call(int32_t answered, int32_t duration) {
  CallRecord call;
  call.answered = answered;
  call.duration = duration;
  call.date = "2020-01-02 03:04:05";
  call.address = "+15551234";
  call.contactName = "Ann";
  return call;
}

TEST(ContactRow, HasSevenCellsInHeaderOrderWithLineBrokenPhones) {
  ContactRecord contact;
  contact.name = "AnnLee";
  contact.phone = "+1 555 1234\n+1 555 9876";
  contact.email = "ann@example.com";
  contact.url = "http://example.com/?a=1&b=2";
  contact.company = "A&B <Co>";
  std::string rows = "before\n";
  AppendContactRow(contact, rows);
  EXPECT_EQ(rows,
            "before\n"
            "\t<tr><td>AnnLee</td><td>+1 555 1234<br />+1 555 9876</td><td>ann@example.com</td>"
            "<td></td><td>http://example.com/?a=1&amp;b=2</td><td></td>"
            "<td>A&amp;B &lt;Co&gt;</td></tr>\r\n");
}

TEST(ContactRow, EscapesEachPhoneLineAndKeepsEmptyLines) {
  ContactRecord contact;
  contact.name = "<script>alert(1)</script>";
  contact.phone = "\n<1>\n\n2\n";
  contact.address = "1 Main St\nTown";
  contact.social = "@ann";
  std::string rows;
  AppendContactRow(contact, rows);
  EXPECT_EQ(rows,
            "\t<tr><td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"
            "<td><br />&lt;1&gt;<br /><br />2<br /></td><td></td><td>1 Main St\nTown</td>"
            "<td></td><td>@ann</td><td></td></tr>\r\n");
}

TEST(CallRow, HasFiveCellsWithTypeAndDuration) {
  std::string rows;
  AppendCallRow(Call(1, 3725), rows);
  EXPECT_EQ(rows,
            "\t<tr><td>Ann</td><td>+15551234</td><td>2020-01-02 03:04:05</td><td>Incoming</td>"
            "<td>1 Hour 2 Min</td></tr>\r\n");
}

TEST(CallRow, NamesZeroLengthCallsMissedOrCanceled) {
  EXPECT_EQ(CallDurationText(Call(1, 0)), "Missed");
  EXPECT_EQ(CallTypeText(Call(1, 0)), "Incoming");
  EXPECT_EQ(CallDurationText(Call(0, 0)), "Canceled");
  EXPECT_EQ(CallTypeText(Call(0, 0)), "Outgoing");
  EXPECT_EQ(CallTypeText(Call(-1, 0)), "Incoming");
  std::string rows;
  AppendCallRow(Call(0, 0), rows);
  EXPECT_EQ(rows,
            "\t<tr><td>Ann</td><td>+15551234</td><td>2020-01-02 03:04:05</td><td>Outgoing</td>"
            "<td>Canceled</td></tr>\r\n");
}

TEST(CallRow, FormatsEveryNonZeroLength) {
  EXPECT_EQ(CallDurationText(Call(0, 59)), "59 Sec");
  EXPECT_EQ(CallDurationText(Call(0, 60)), "1 Min 0 Sec");
  EXPECT_EQ(CallDurationText(Call(1, 3600)), "1 Hour 0 Min");
  EXPECT_EQ(CallDurationText(Call(1, 3725)), "1 Hour 2 Min");
  EXPECT_EQ(CallDurationText(Call(1, -7)), "-7 Sec");
}

TEST(CallRow, EscapesTheNameAndNumber) {
  CallRecord call = Call(0, 1);
  call.contactName = "\"Bob\" & 'Co'";
  call.address = "<555>";
  std::string rows;
  AppendCallRow(call, rows);
  EXPECT_EQ(rows,
            "\t<tr><td>&quot;Bob&quot; &amp; &#39;Co&#39;</td><td>&lt;555&gt;</td>"
            "<td>2020-01-02 03:04:05</td><td>Outgoing</td><td>1 Sec</td></tr>\r\n");
}

TEST(NoteRow, HasTitleDateAndBodyWithItsLineBreaks) {
  NoteRecord note;
  note.title = "Shopping";
  note.date = "2019-12-31 23:59:59";
  note.body = "milk\neggs <2>\r\nbread";
  std::string rows;
  AppendNoteRow(note, rows);
  AppendNoteRow(NoteRecord{}, rows);
  EXPECT_EQ(rows,
            "\t<tr><td>Shopping</td><td>2019-12-31 23:59:59</td>"
            "<td>milk\neggs &lt;2&gt;\r\nbread</td></tr>\r\n"
            "\t<tr><td></td><td></td><td></td></tr>\r\n");
}

}  // namespace
}  // namespace zbe
