#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "records/Records.h"
#include "records/SqliteDatabase.h"

namespace zbe {

// The owner's own messages in group conversations carry no handle (handle_id 0): they belong to
// their conversation, not to a person. They are delivered in a thread of their conversation,
// keyed by OwnChatThreadKey, and named after it.

// A conversation of the messages database, as far as its thread's name needs it.
struct ChatParties {
  std::string displayName;  // chat.display_name: the name a group was given; may be empty
  std::string identifier;   // chat.chat_identifier
  std::vector<std::pair<int32_t, std::string>> members;  // handle row ids and ids, by row id
};

// Conversations by their row id.
using ChatPartiesMap = std::map<int32_t, ChatParties>;

// The thread key of the owner's messages without a handle in conversation "chatId" (> 0):
// -chatId. Handle row ids are positive, so this key never meets a person's thread.
inline int32_t OwnChatThreadKey(int32_t chatId) {
  return -chatId;
}

// The conversations of the open messages database "db" with their members. A database without
// the conversation tables gives what it has (members or names may be missing); never fails.
ChatPartiesMap LoadChatParties(SqliteDatabase& db);

// The two queries of LoadChatParties: the conversations, and their members in member order.
inline constexpr const char* kChatsQuery = "SELECT ROWID, chat_identifier, display_name FROM chat;";
inline constexpr const char* kChatMembersQuery =
    "SELECT chat_handle_join.chat_id, handle.ROWID, handle.id FROM chat_handle_join INNER JOIN "
    "handle ON handle.ROWID = chat_handle_join.handle_id ORDER BY chat_handle_join.chat_id, "
    "handle.ROWID;";

// A message keyed by OwnChatThreadKey whose conversation has exactly one other member was sent
// to that person: it moves to that member's thread (handleId and sender become the member's),
// where the messages received from the person are, so that the person's thread is whole.
void MoveOwnMessagesToTheirPerson(std::vector<MessageRecord>& messages,
                                  const ChatPartiesMap& chats);

// Names the messages still keyed by OwnChatThreadKey after their conversation: contactName is
// the conversation's display name or, without one, the members' contact names (from "contacts",
// the first whose phone text contains the member's id; a member without one by its id) joined
// by ", ", and stays empty when no member has a name; sender is the members' ids joined by ", "
// (the conversation's identifier when it lists no member).
void NameOwnChatThreads(std::vector<MessageRecord>& messages, const ChatPartiesMap& chats,
                        const std::vector<ContactRecord>& contacts);

}  // namespace zbe
