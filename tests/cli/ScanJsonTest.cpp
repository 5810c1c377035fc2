#include "cli/ScanJson.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "cli/SummaryOutput.h"

namespace zbe::cli {
namespace {

ScanResults SomeOfEachShape() {
  ScanResults results;
  results.photoStream.push_back(MediaFileItem{1024, "IMG_1.JPG", "/b/aa/aa1"});
  results.appVideos["example.clips"].push_back(AppMediaItem{7, "example.clips", "c.MOV", "/b/c"});
  MessageRecord message;
  message.isFromMe = 1;
  message.rowId = 5;
  message.handleId = 2;
  message.date = "2020-01-01 10:00:00";
  message.sender = "+1 555 0100";
  message.contactName = "Ann Lee";
  message.text = "Hi \xF0\x9F\x98\x80";
  results.messages[2] = {message};
  CallRecord call{1, 59, "2020-02-02 20:20:20", "+1 555 0101", ""};
  results.calls = {call};
  ContactRecord contact{"a@example.org", "", "", "https://example.org", "555 0100", "Co", "AnnLee"};
  results.contacts = {contact};
  results.notes = {NoteRecord{"2021-03-03 03:03:03", "a<b", "body"}};
  WhatsAppMessage chat;
  chat.messageId = 9;
  chat.chatId = 4;
  chat.date = "2021-04-04 04:04:04";
  chat.senderName = "Me";
  chat.text = "ok";
  chat.memberNames = "Bo";
  chat.memberJids = "1@s.whatsapp.net";
  chat.chatName = "Bo";
  results.whatsApp[4] = {chat};
  results.categoryResults[static_cast<size_t>(RecordCategory::kPhotoStream)] = 0;
  results.categoryResults[static_cast<size_t>(RecordCategory::kAppVideos)] = 0;
  results.categoryResults[static_cast<size_t>(RecordCategory::kMessages)] = 0;
  results.categoryResults[static_cast<size_t>(RecordCategory::kContacts)] = 1006;
  results.categoryResults[static_cast<size_t>(RecordCategory::kCallHistory)] = 0;
  results.categoryResults[static_cast<size_t>(RecordCategory::kNotes)] = 0;
  results.categoryResults[static_cast<size_t>(RecordCategory::kWhatsApp)] = 0;
  return results;
}

TEST(ScanJson, WritesRecordsUnderTheirFieldNames) {
  ScanResults results = SomeOfEachShape();
  CategorySet chosen = CategorySet::All();
  std::string json = ScanCategoriesToJson(results, chosen).dump();
  EXPECT_EQ(
      json,
      R"({"camera-roll":{"result":null,"items":[]},)"
      R"("photo-stream":{"result":0,"items":[{"size":1024,"name":"IMG_1.JPG","path":"/b/aa/aa1"}]},)"
      R"("app-photos":{"result":null,"items":[]},)"
      R"("app-videos":{"result":0,"items":[{"size":7,"app":"example.clips","name":"c.MOV","path":"/b/c"}]},)"
      R"("messages":{"result":0,"threads":[{"handleId":2,"messages":[{"isFromMe":1,"rowId":5,)"
      R"("handleId":2,"date":"2020-01-01 10:00:00","sender":"+1 555 0100","contactName":"Ann Lee",)"
      "\"text\":\"Hi \xF0\x9F\x98\x80\"}]}]},"
      R"("message-attachments":{"result":null,"items":[]},)"
      R"("contacts":{"result":1006,"records":[{"email":"a@example.org","address":"","social":"",)"
      R"("url":"https://example.org","phone":"555 0100","company":"Co","name":"AnnLee"}]},)"
      R"("call-history":{"result":0,"records":[{"answered":1,"duration":59,)"
      R"("date":"2020-02-02 20:20:20","address":"+1 555 0101","contactName":""}]},)"
      R"("notes":{"result":0,"records":[{"date":"2021-03-03 03:03:03","title":"a<b","body":"body"}]},)"
      R"("whatsapp":{"result":0,"threads":[{"chatId":4,"messages":[{"isFromMe":0,"messageId":9,)"
      R"("chatId":4,"date":"2021-04-04 04:04:04","senderName":"Me","text":"ok","pushName":"",)"
      R"("memberNames":"Bo","memberJids":"1@s.whatsapp.net","chatName":"Bo"}]}]},)"
      R"("whatsapp-attachments":{"result":null,"items":[]},)"
      R"("reminder":{"result":null,"records":[]},"calendar":{"result":null,"records":[]},)"
      R"("safari-bookmark":{"result":null,"records":[]}})");
}

TEST(ScanJson, ListsOnlyTheChosenCategories) {
  CategorySet chosen;
  chosen.Add(RecordCategory::kNotes).Add(RecordCategory::kCameraRoll);
  EXPECT_EQ(ScanCategoriesToJson(ScanResults(), chosen).dump(),
            R"({"camera-roll":{"result":null,"items":[]},"notes":{"result":null,"records":[]}})");
}

std::string Printed(const std::function<void(std::FILE*)>& print) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  print(out);
  std::fclose(out);
  std::string printed(text, size);
  std::free(text);
  return printed;
}

TEST(ScanJson, PrintsRecordByRecordWhatTheWholeTreeWouldPrint) {
  BackupSummary summary;
  summary.displayName = "Ann\xFF";  // not UTF-8: replaced, as PrintJson replaces it
  summary.folderPath = "/b";
  ScanResults results = SomeOfEachShape();
  results.notes.push_back(NoteRecord{"", "line\nbreak \"quoted\"", "\x01"});
  results.messages[-3] = results.messages[2];  // a second thread
  CategorySet onlyNotes;
  onlyNotes.Add(RecordCategory::kNotes);
  for (const CategorySet& chosen : {CategorySet::All(), CategorySet(), onlyNotes}) {
    nlohmann::ordered_json whole;
    whole["summary"] = SummaryToJson(summary);
    whole["open"] = 1006;
    whole["categories"] = ScanCategoriesToJson(results, chosen);
    EXPECT_EQ(Printed([&](std::FILE* out) { PrintScanJson(summary, 1006, results, chosen, out); }),
              Printed([&](std::FILE* out) { PrintJson(whole, out); }));
  }
}

}  // namespace
}  // namespace zbe::cli
