#include "records/ScanResults.h"

#include "records/CategoryTable.h"

#include <gtest/gtest.h>

namespace zbe {
namespace {

MessageRecord Message(int32_t handle, const std::string& date, const std::string& text) {
  MessageRecord m;
  m.handleId = handle;
  m.date = date;
  m.text = text;
  return m;
}

TEST(ScanResults, AConversationRowIsTheLastMessageOfEachThreadInKeyOrder) {
  MessageThreadMap threads;
  threads[9] = {Message(9, "2020-01-01 10:00:00", "first"),
                Message(9, "2020-01-02 10:00:00", "last of 9")};
  threads[2] = {Message(2, "2019-05-05 05:05:05", "only of 2")};
  threads[5] = {};  // never delivered by a reader; must not break the rows
  std::vector<MessageRecord> rows = BuildConversationRows(threads);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, "only of 2");
  EXPECT_EQ(rows[1].text, "last of 9");
  EXPECT_EQ(rows[1].date, "2020-01-02 10:00:00");
}

TEST(ScanResults, AChatRowIsTheLastMessageOfEachChatInKeyOrder) {
  WhatsAppThreadMap chats;
  WhatsAppMessage a;
  a.chatId = 3;
  a.text = "a";
  WhatsAppMessage b = a;
  b.text = "b";
  b.memberJids = "1@s.whatsapp.net,2@s.whatsapp.net";
  chats[3] = {a, b};
  chats[1] = {a};
  std::vector<WhatsAppMessage> rows = BuildChatRows(chats);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text, "a");
  EXPECT_EQ(rows[1].text, "b");
  EXPECT_EQ(rows[1].memberJids, b.memberJids);
}

TEST(ScanResults, CountsAreThoseTheTreeShows) {
  ScanResults results;
  results.cameraRoll.resize(3);
  results.photoStream.resize(1);
  results.appPhotos["x"].resize(2);
  results.appPhotos["y"].resize(4);
  results.appVideos["x"].resize(1);
  results.messages[1].resize(7);
  results.messages[2].resize(1);
  results.conversationRows.resize(2);
  results.messageAttachments.resize(5);
  results.contacts.resize(6);
  results.calls.resize(8);
  results.notes.resize(9);
  results.whatsApp[4].resize(3);
  results.chatRows.resize(1);
  results.whatsAppAttachments.resize(10);
  std::vector<size_t> counts;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    counts.push_back(CategoryCount(results, info.category));
  }
  EXPECT_EQ(counts, (std::vector<size_t>{3, 1, 6, 1, 2, 5, 6, 8, 9, 1, 10, 0, 0, 0}));
}

}  // namespace
}  // namespace zbe
