#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zbe {

// The records that the category readers deliver. Plain values: every text field starts empty
// and every integer 0, a reader sets only the fields its category defines, and no record points
// into another (they refer to each other only through integer keys or phone-number text).
// Texts are UTF-8; date fields are empty or of the form "YYYY-MM-DD hh:mm:ss" (see
// records/Conversions.h), so ordering the texts orders the dates.

// One message of the messages database.
struct MessageRecord {
  int32_t isFromMe = 0;     // 1 when the device owner sent it
  int32_t rowId = 0;        // row identifier in the messages database
  int32_t handleId = 0;     // the other party's handle; the grouping key
  std::string date;         // sent or received, UTC
  std::string sender;       // the other party's address: phone number or e-mail address
  std::string contactName;  // first contact whose phone text contains sender; may be empty
  std::string text;         // never empty in a delivered record
};

// One address-book entry.
struct ContactRecord {
  std::string email;    // all e-mail addresses as one text
  std::string address;  // no reader fills it; kept for the preview and export slots
  std::string social;   // no reader fills it; kept for the preview and export slots
  std::string url;      // all web addresses as one text
  std::string phone;    // all numbers as the full-text search table holds them; never empty
  std::string company;
  std::string name;  // first name directly followed by last name
};

// One call.
struct CallRecord {
  int32_t answered = 0;  // non-zero: incoming (missed when duration is 0); 0: outgoing
  int32_t duration = 0;  // whole seconds
  std::string date;      // start, UTC
  std::string address;   // the other party's number; never empty
  std::string contactName;
};

// One note. A delivered note has a title or a body.
struct NoteRecord {
  std::string date;  // creation date
  std::string title;
  std::string body;
};

// One WhatsApp message with the facts of its chat copied in.
struct WhatsAppMessage {
  int32_t isFromMe = 0;
  int32_t messageId = 0;
  int32_t chatId = 0;       // the grouping key
  std::string date;         // sent, local time
  std::string senderName;   // "Me" for the owner's messages
  std::string text;         // or the media item's title; never empty
  std::string pushName;     // empty for the owner's messages
  std::string memberNames;  // group members' names joined by commas, or the partner's name
  std::string memberJids;   // group members' JIDs joined by commas (a comma marks a group)
  std::string chatName;     // the partner's name as the chat stores it
};

// Messages by handleId (ascending); each thread oldest first.
using MessageThreadMap = std::map<int32_t, std::vector<MessageRecord>>;

// WhatsApp messages by chatId (ascending); each chat oldest first.
using WhatsAppThreadMap = std::map<int32_t, std::vector<WhatsAppMessage>>;

using ContactList = std::vector<ContactRecord>;  // by name, ascending
using CallList = std::vector<CallRecord>;        // by date, oldest first
using NoteList = std::vector<NoteRecord>;        // by date, newest first

}  // namespace zbe
