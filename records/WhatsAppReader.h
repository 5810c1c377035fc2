#pragma once

#include <cstdint>
#include <string>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// The sender name of the device owner's messages.
inline constexpr const char* kOwnSenderName = "Me";

// Reads the WhatsApp chat database at "chatDatabasePath" (the stored "ChatStorage.sqlite";
// empty when the backup has none) and appends its messages to "chats" under their chatId.
//
// Every message of a known chat gets the chat's facts: chatName and senderName the chat's
// partner name; memberJids the members' JIDs joined by commas (a comma marks a group chat), else
// the chat's contact JID; memberNames the members' contact names, else the partner name. The
// owner's messages get senderName "Me" and an empty pushName. A received group-chat message is
// named after the first group member (in member order, over all chats) whose JID contains its
// push name without the push name's first character; an empty push name matches nobody. Messages
// of unknown chats keep empty chat facts. A message with an empty text takes the title of its
// first media item; messages still without text are dropped. Group-chat messages keep their
// text whatever chat the message before them belongs to. The messages are sorted by date
// (local time; case-insensitive text order, oldest first; equal dates in no fixed order).
//
// Tables that cannot be read add nothing. Returns the media query's result: success, SQLite's open
// code (14 also for an empty path), or 1006; "chats" may still have been filled.
Result ReadWhatsAppDatabase(const std::string& chatDatabasePath, WhatsAppThreadMap& chats);

}  // namespace zbe
