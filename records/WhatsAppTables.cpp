#include "records/WhatsAppTables.h"

#include <unordered_map>

#include "records/Conversions.h"
#include "records/ReferenceDates.h"
#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"

namespace zbe {
namespace {

// Opens "path", runs "query" with "onRow" and closes. Returns success, the open code or 1006.
Result QueryOnce(const std::string& path, const char* query,
                 const SqliteDatabase::RowCallback& onRow) {
  SqliteDatabase db;
  if (Result opened = db.Open(path); !opened.ok()) {
    return opened;
  }
  return db.Exec(query, onRow).ok() ? Result::Ok() : Result(kQueryFailed);
}

}  // namespace

std::vector<WhatsAppChat> LoadWhatsAppChats(const std::string& path) {
  std::vector<WhatsAppChat> chats;
  QueryOnce(path, kWhatsAppChatsQuery, [&chats](int columnCount, char** values, char**) {
    if (columnCount >= 3) {
      WhatsAppChat chat;
      chat.chatId = IntFromColumn(values[0]);
      chat.partnerName = TextFromColumn(values[1]);
      chat.contactJid = TextFromColumn(values[2]);
      if (chat.chatId != 0) {
        chats.push_back(std::move(chat));
      }
    }
    return 0;
  });
  return chats;
}

std::vector<WhatsAppMember> LoadWhatsAppMembers(const std::string& path) {
  std::vector<WhatsAppMember> members;
  QueryOnce(path, kWhatsAppMembersQuery, [&members](int columnCount, char** values, char**) {
    if (columnCount >= 3) {
      WhatsAppMember member;
      member.chatId = IntFromColumn(values[0]);
      member.contactName = TextFromColumn(values[1]);
      member.memberJid = TextFromColumn(values[2]);
      if (member.chatId != 0) {
        members.push_back(std::move(member));
      }
    }
    return 0;
  });
  return members;
}

std::vector<WhatsAppMessage> LoadWhatsAppMessages(const std::string& path) {
  std::vector<WhatsAppMessage> messages;
  QueryOnce(path, kWhatsAppMessagesQuery, [&messages](int columnCount, char** values, char**) {
    if (columnCount >= 6) {
      WhatsAppMessage message;
      message.messageId = IntFromColumn(values[0]);
      message.isFromMe = IntFromColumn(values[1]);
      message.chatId = IntFromColumn(values[2]);
      message.date = LocalDateFromReferenceSeconds(values[3]);
      message.pushName = TextFromColumn(values[4]);
      message.text = TextFromColumn(values[5]);
      if (message.chatId != 0) {
        messages.push_back(std::move(message));
      }
    }
    return 0;
  });
  return messages;
}

Result LoadWhatsAppMedia(const std::string& path, std::vector<WhatsAppMedia>& media) {
  return QueryOnce(path, kWhatsAppMediaQuery, [&media](int columnCount, char** values, char**) {
    if (columnCount >= 2) {
      WhatsAppMedia item;
      item.messageId = IntFromColumn(values[0]);
      item.title = TextFromColumn(values[1]);
      if (item.messageId != 0) {
        media.push_back(std::move(item));
      }
    }
    return 0;
  });
}

void AddMembersToChats(std::vector<WhatsAppChat>& chats,
                       const std::vector<WhatsAppMember>& members) {
  // Members by chat, in member order: the same members a walk through the list finds.
  std::unordered_map<int32_t, std::vector<const WhatsAppMember*>> byChat;
  for (const WhatsAppMember& member : members) {
    byChat[member.chatId].push_back(&member);
  }
  for (WhatsAppChat& chat : chats) {
    auto found = byChat.find(chat.chatId);
    if (found == byChat.end()) {
      continue;
    }
    for (const WhatsAppMember* member : found->second) {
      if (chat.memberJids.empty()) {
        chat.memberJids = member->memberJid;
        chat.memberNames = member->contactName;
      } else {
        chat.memberJids += "," + member->memberJid;
        if (!member->contactName.empty()) {
          chat.memberNames += "," + member->contactName;
        }
      }
    }
  }
}

}  // namespace zbe
