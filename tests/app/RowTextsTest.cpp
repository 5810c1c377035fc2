#include "app/RowTexts.h"

#include <gtest/gtest.h>

#include "app/CategoryView.h"
#include "records/CategoryTable.h"

namespace zbe {
namespace {

TEST(RowTexts, CallsTellTheirDirectionAndLength) {
  CallRecord call;
  call.contactName = "Ann";
  call.address = "+1 555 0100";
  call.date = "2020-05-01 10:00:00";
  EXPECT_EQ(RowTexts(call), (RowCells{"Ann", "+1 555 0100", "2020-05-01 10:00:00", "Outgoing",
                                      "Canceled", "Normal"}));
  call.answered = 1;
  EXPECT_EQ(RowTexts(call)[3], "Incoming");
  EXPECT_EQ(RowTexts(call)[4], "Missed");
  call.duration = 3725;
  EXPECT_EQ(RowTexts(call)[4], "1 Hour 2 Min");
  call.duration = 61;
  EXPECT_EQ(RowTexts(call)[4], "1 Min 1 Sec");
}

TEST(RowTexts, RecordsAndFilesFillTheirColumns) {
  ContactRecord contact;
  contact.name = "Ann Lee";
  contact.phone = "+1 555 0100\n+1 555 0199";
  contact.email = "ann@example.com";
  EXPECT_EQ(RowTexts(contact), (RowCells{"Ann Lee", "", "+1 555 0100", "ann@example.com", ""}));
  EXPECT_EQ(FirstLine("a\r\nb"), "a");

  WhatsAppMessage chat;
  chat.chatName = "Team";
  chat.senderName = "Bo";
  chat.pushName = "bo";
  EXPECT_EQ(RowTexts(chat), (RowCells{"Team", "Bo", "bo"}));
  chat.memberNames = "Bo, Cy";
  chat.memberJids = "1@s, 2@s";
  EXPECT_EQ(RowTexts(chat), (RowCells{"Team", "Bo, Cy", "1@s, 2@s"}));

  MediaFileItem photo{2048, "IMG_0001.JPG", "/b/ab/abc"};
  EXPECT_EQ(RowTexts(photo), (RowCells{"IMG_0001.JPG", "2.00 KB"}));
  AppMediaItem clip{512, "example.clips", "TAKE_001.MOV", "/b/cd/cde"};
  EXPECT_EQ(RowTexts(clip), (RowCells{"TAKE_001.MOV", "example.clips", "512 Bytes"}));
  EXPECT_EQ(AppFolderTexts("example.clips"), (RowCells{"example.clips", "Folder"}));
  EXPECT_TRUE(ShowsVideoIcon("TAKE_001.MOV"));
  EXPECT_FALSE(ShowsVideoIcon("voice.MP3"));
}

TEST(CategoryView, EveryCategoryHasItsRowAndEveryRowFitsItsTexts) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    const CategoryView& view = ViewOf(info.category);
    EXPECT_EQ(view.category, info.category);
    // Rows hold as many texts as the layout has columns.
    const bool hasRows = info.hasReader();
    EXPECT_EQ(view.layout.count > 0, hasRows) << info.name;
  }
  EXPECT_EQ(ViewOf(RecordCategory::kContacts).layout.count, RowTexts(ContactRecord{}).size());
  EXPECT_EQ(ViewOf(RecordCategory::kCallHistory).layout.count, RowTexts(CallRecord{}).size());
  EXPECT_EQ(ViewOf(RecordCategory::kNotes).layout.count, RowTexts(NoteRecord{}).size());
  EXPECT_EQ(ViewOf(RecordCategory::kMessages).layout.count, RowTexts(MessageRecord{}).size());
  EXPECT_EQ(ViewOf(RecordCategory::kWhatsApp).layout.count, RowTexts(WhatsAppMessage{}).size());
  EXPECT_EQ(AppFilesLayout().count, RowTexts(AppMediaItem{}).size());
}

}  // namespace
}  // namespace zbe
