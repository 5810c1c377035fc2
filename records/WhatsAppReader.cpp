#include "records/WhatsAppReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>

#include "records/FirstContainingLookup.h"
#include "records/GroupByKey.h"
#include "records/TextOrder.h"
#include "records/WhatsAppTables.h"

namespace zbe {
namespace {

// "text" without its first character (a whole UTF-8 sequence).
std::string_view WithoutFirstCharacter(std::string_view text) {
  size_t next = 1;
  while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
    ++next;
  }
  return text.substr(std::min(next, text.size()));
}

// Copies the facts of each message's chat into it and names the senders.
void AddChatFacts(std::vector<WhatsAppMessage>& messages, const std::vector<WhatsAppChat>& chats,
                  const std::vector<WhatsAppMember>& members) {
  std::unordered_map<int32_t, const WhatsAppChat*> firstChat;
  for (const WhatsAppChat& chat : chats) {
    firstChat.emplace(chat.chatId, &chat);
  }
  std::vector<std::string_view> jids;
  jids.reserve(members.size());
  for (const WhatsAppMember& member : members) {
    jids.push_back(member.memberJid);
  }
  FirstContainingLookup lookup(std::move(jids));

  for (WhatsAppMessage& message : messages) {
    auto found = firstChat.find(message.chatId);
    if (found == firstChat.end()) {
      continue;
    }
    const WhatsAppChat& chat = *found->second;
    message.senderName = chat.partnerName;
    message.chatName = chat.partnerName;
    message.memberJids = chat.memberJids.empty() ? chat.contactJid : chat.memberJids;
    message.memberNames = chat.memberNames.empty() ? chat.partnerName : chat.memberNames;
    // A group chat's message keeps its text whatever chat the message before it belongs to:
    // blanking it there would lose real messages.
    bool groupChat = message.memberJids.find(',') != std::string::npos;
    if (message.isFromMe != 0) {
      message.senderName = kOwnSenderName;
      message.pushName.clear();
    } else if (groupChat && !message.pushName.empty()) {
      size_t match = lookup.Find(WithoutFirstCharacter(message.pushName));
      if (match != FirstContainingLookup::kNone) {
        message.senderName = members[match].contactName;
      }
    }
  }
}

// Gives a message without text the title of its first media item, then drops the messages that
// are still without text.
void AddMediaTitles(std::vector<WhatsAppMessage>& messages,
                    const std::vector<WhatsAppMedia>& media) {
  std::unordered_map<int32_t, const WhatsAppMedia*> firstItem;
  for (const WhatsAppMedia& item : media) {
    firstItem.emplace(item.messageId, &item);
  }
  for (WhatsAppMessage& message : messages) {
    if (message.messageId != 0 && message.text.empty()) {
      auto found = firstItem.find(message.messageId);
      if (found != firstItem.end()) {
        message.text = found->second->title;
      }
    }
  }
  std::erase_if(messages, [](const WhatsAppMessage& message) { return message.text.empty(); });
}

}  // namespace

Result ReadWhatsAppDatabase(const std::string& chatDatabasePath, WhatsAppThreadMap& chats) {
  // An empty path would open a fresh temporary database; the backup simply has none.
  if (chatDatabasePath.empty()) {
    return Result::Sqlite(SQLITE_CANTOPEN);
  }
  std::vector<WhatsAppChat> chatList = LoadWhatsAppChats(chatDatabasePath);
  std::vector<WhatsAppMember> members = LoadWhatsAppMembers(chatDatabasePath);
  std::vector<WhatsAppMessage> messages = LoadWhatsAppMessages(chatDatabasePath);
  std::vector<WhatsAppMedia> media;
  Result result = LoadWhatsAppMedia(chatDatabasePath, media);

  AddMembersToChats(chatList, members);
  AddChatFacts(messages, chatList, members);
  AddMediaTitles(messages, media);
  SortByText(messages, &WhatsAppMessage::date, TextOrder::kAscending);
  GroupByKey(messages, &WhatsAppMessage::chatId, chats);
  return result;
}

}  // namespace zbe
