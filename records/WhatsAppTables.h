#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// The working records of the WhatsApp reader, one per row of the chat database's tables, kept
// in row order. Each loader opens the database at "path" afresh, runs its one query and closes
// it again.

// One chat session (ZWACHATSESSION).
struct WhatsAppChat {
  int32_t chatId = 0;
  std::string contactJid;
  std::string partnerName;
  std::string memberNames;  // the members' contact names joined by commas (AddMembersToChats)
  std::string memberJids;   // the members' JIDs joined by commas (AddMembersToChats)
};

// One member of a group chat (ZWAGROUPMEMBER).
struct WhatsAppMember {
  int32_t chatId = 0;
  std::string memberJid;
  std::string contactName;
};

// One media item (ZWAMEDIAITEM), which titles the message it belongs to.
struct WhatsAppMedia {
  int32_t messageId = 0;
  std::string title;
};

inline constexpr const char* kWhatsAppChatsQuery =
    "SELECT Z_PK, ZPARTNERNAME, ZCONTACTJID FROM ZWACHATSESSION;";
inline constexpr const char* kWhatsAppMembersQuery =
    "SELECT ZCHATSESSION, ZCONTACTNAME, ZMEMBERJID FROM ZWAGROUPMEMBER;";
inline constexpr const char* kWhatsAppMessagesQuery =
    "SELECT Z_PK, ZISFROMME, ZCHATSESSION, ZMESSAGEDATE, ZPUSHNAME, ZTEXT FROM ZWAMESSAGE;";
inline constexpr const char* kWhatsAppMediaQuery = "SELECT ZMESSAGE, ZTITLE FROM ZWAMEDIAITEM;";

// The chats with a non-zero key. A database or table that cannot be read gives none.
std::vector<WhatsAppChat> LoadWhatsAppChats(const std::string& path);

// The group members with a non-zero chat. A database or table that cannot be read gives none.
std::vector<WhatsAppMember> LoadWhatsAppMembers(const std::string& path);

// Every message with a non-zero chat, whatever its text: messageId, isFromMe, chatId, date
// (ZMESSAGEDATE, seconds since 2001, as local time), pushName and text. A database or table
// that cannot be read gives none.
std::vector<WhatsAppMessage> LoadWhatsAppMessages(const std::string& path);

// Appends the media items with a non-zero message to "media". Returns success, SQLite's open code,
// or 1006 when the query fails.
Result LoadWhatsAppMedia(const std::string& path, std::vector<WhatsAppMedia>& media);

// Fills memberJids and memberNames of every chat from its members, in member order: the JIDs
// joined by commas; the contact names joined by commas, where the first member always gives the
// first entry (also an empty one) and later members only a non-empty name.
void AddMembersToChats(std::vector<WhatsAppChat>& chats,
                       const std::vector<WhatsAppMember>& members);

}  // namespace zbe
