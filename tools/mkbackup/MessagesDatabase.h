#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"
#include "tools/mkbackup/SamplePeople.h"

namespace zbe::mkbackup {

// What the generated messages database looks like.
struct MessagesSample {
  uint32_t seed = 1;
  int scale = 1;              // multiplies the number of conversations and messages
  int64_t lastMessageAt = 0;  // seconds since 1970; messages span the year before
  bool legacyDates = false;   // message.date in seconds (older devices), not nanoseconds
};

// "sms.db" with the tables of a current device (message, handle, chat, chat_message_join,
// chat_handle_join, attachment, message_attachment_join and their neighbours): conversations
// with people of "people" by number and by e-mail address, with unknown numbers and a short
// code, named and unnamed group chats (the owner's group messages have handle 0), messages
// without text, with a single blank or an empty text, with emoji and "/", one message that two
// conversations share and one that no conversation lists. 60 × scale messages and more. As on
// iOS 16 and later, every text is archived in attributedBody and most messages (among them some
// of the owner's group messages) leave message.text NULL or empty; with legacyDates, as on
// older devices, the texts stand in message.text only.
// Throws SqlWriteError on a fault of the generator.
std::string MakeMessagesDatabase(const std::vector<SamplePerson>& people,
                                 const MessagesSample& sample);

// Adds it to "backup" as HomeDomain "Library/SMS/sms.db".
void AddMessagesDatabase(SampleBackup& backup, const std::vector<SamplePerson>& people,
                         const MessagesSample& sample);

}  // namespace zbe::mkbackup
