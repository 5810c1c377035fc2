#include "records/OwnChatThreads.h"

#include "records/AddressBookQuery.h"
#include "records/Conversions.h"
#include "records/FirstContainingLookup.h"

namespace zbe {
namespace {

const ChatParties* Find(const ChatPartiesMap& chats, int32_t key) {
  if (key >= 0) {
    return nullptr;
  }
  auto chat = chats.find(-key);
  return chat == chats.end() ? nullptr : &chat->second;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) {
    joined += (joined.empty() ? "" : ", ") + part;
  }
  return joined;
}

}  // namespace

ChatPartiesMap LoadChatParties(SqliteDatabase& db) {
  ChatPartiesMap chats;
  db.Exec(kChatsQuery, [&chats](int columnCount, char** values, char**) {
    if (columnCount >= 3) {
      ChatParties& chat = chats[IntFromColumn(values[0])];
      chat.identifier = TextFromColumn(values[1]);
      chat.displayName = TextFromColumn(values[2]);
    }
    return 0;
  });
  db.Exec(kChatMembersQuery, [&chats](int columnCount, char** values, char**) {
    if (columnCount >= 3) {
      chats[IntFromColumn(values[0])].members.emplace_back(IntFromColumn(values[1]),
                                                           TextFromColumn(values[2]));
    }
    return 0;
  });
  return chats;
}

void MoveOwnMessagesToTheirPerson(std::vector<MessageRecord>& messages,
                                  const ChatPartiesMap& chats) {
  for (MessageRecord& message : messages) {
    const ChatParties* chat = Find(chats, message.handleId);
    if (chat != nullptr && chat->members.size() == 1 && chat->members[0].first > 0) {
      message.handleId = chat->members[0].first;
      message.sender = chat->members[0].second;
    }
  }
}

void NameOwnChatThreads(std::vector<MessageRecord>& messages, const ChatPartiesMap& chats,
                        const std::vector<ContactRecord>& contacts) {
  FirstContainingLookup lookup(PhoneTexts(contacts));
  // Each conversation is named once; its messages copy the names.
  std::map<int32_t, std::pair<std::string, std::string>> names;
  for (MessageRecord& message : messages) {
    if (message.handleId >= 0) {
      continue;
    }
    auto known = names.find(message.handleId);
    if (known == names.end()) {
      std::string name;
      std::string addresses;
      if (const ChatParties* chat = Find(chats, message.handleId)) {
        std::vector<std::string> memberNames;
        std::vector<std::string> memberIds;
        bool anyNamed = false;
        for (const auto& [rowId, id] : chat->members) {
          size_t match = id.empty() ? FirstContainingLookup::kNone : lookup.Find(id);
          std::string memberName =
              match != FirstContainingLookup::kNone ? contacts[match].name : std::string();
          anyNamed = anyNamed || !memberName.empty();
          memberNames.push_back(memberName.empty() ? id : memberName);
          memberIds.push_back(id);
        }
        name = !chat->displayName.empty() ? chat->displayName
               : anyNamed                 ? Joined(memberNames)
                                          : std::string();
        addresses = memberIds.empty() ? chat->identifier : Joined(memberIds);
      }
      known = names.emplace(message.handleId, std::make_pair(name, addresses)).first;
    }
    message.contactName = known->second.first;
    message.sender = known->second.second;
  }
}

}  // namespace zbe
