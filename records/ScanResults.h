#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "records/FileItems.h"
#include "records/RecordCategory.h"
#include "records/Records.h"

namespace zbe {

// App media of one kind grouped by app: the items' app field (apps in byte order) to the items
// in the order of the app media list.
using AppMediaGroups = std::map<std::string, std::vector<AppMediaItem>>;

// What one scan found: the containers that the scan page shows, exports and prints. Only the
// chosen categories are filled. A plain value; the scan session fills it on the scanning thread
// and hands it over whole.
struct ScanResults {
  std::vector<MediaFileItem> cameraRoll;
  std::vector<MediaFileItem> photoStream;
  std::vector<AppMediaItem> appMedia;  // as ReadAppMedia delivers them, before grouping
  AppMediaGroups appPhotos;
  AppMediaGroups appVideos;
  MessageThreadMap messages;
  std::vector<MessageRecord> conversationRows;  // one per thread (BuildConversationRows)
  std::vector<AttachmentItem> messageAttachments;
  ContactList contacts;
  CallList calls;
  WhatsAppThreadMap whatsApp;
  std::vector<WhatsAppMessage> chatRows;  // one per chat (BuildChatRows)
  std::vector<MediaFileItem> whatsAppAttachments;
  NoteList notes;

  int32_t openResult = 0;  // what Open returned
  int32_t result = 0;      // the result of the last operation called (Open's when none was)
  // For each populated category, the result of the operation that filled it; empty for the
  // categories that were not chosen, have no reader, or were not reached because the scan
  // stopped. The container of an operation that was stopped holds what it had read, but its
  // categories are not populated.
  std::array<std::optional<int32_t>, kRecordCategoryCount> categoryResults;
};

// One row per thread of "threads", in map order (ascending handleId): a copy of the thread's
// last message. Threads without messages give no row.
std::vector<MessageRecord> BuildConversationRows(const MessageThreadMap& threads);

// One row per chat of "chats", in map order (ascending chatId): a copy of the chat's last
// message. Chats without messages give no row.
std::vector<WhatsAppMessage> BuildChatRows(const WhatsAppThreadMap& chats);

// Number of file items in "groups".
size_t CountItems(const AppMediaGroups& groups);

// The key of a conversation in its thread map: handleId for messages, chatId for WhatsApp.
inline int32_t ThreadKey(const MessageRecord& message) {
  return message.handleId;
}
inline int32_t ThreadKey(const WhatsAppMessage& message) {
  return message.chatId;
}

}  // namespace zbe
