#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// How the messages reader reports progress on its own: the scan's running progress and step
// weight when the reading starts, and where the reports go.
struct MessagesProgress {
  // Receives an absolute progress value and answers 0 to go on, anything else to stop. Empty
  // when the scan has no progress callback: then no report is made.
  std::function<int32_t(int32_t progress)> report;
  int32_t running = 0;  // P
  int32_t weight = 0;   // S
};

// The messages query, exactly as the messages database is read. Both readings of message.date
// are taken (nanoseconds in newer databases, seconds in older ones); the reader keeps one by
// the length of the stored value's text.
inline constexpr const char* kMessagesQuery =
    "SELECT  message.text, message.is_from_me, datetime(message.date/1000000000 + 978307200, "
    "'unixepoch') AS DateStr, message.RowID,message.handle_id, handle.id as sender_name,"
    "message.date, datetime(message.date + 978307200, 'unixepoch') AS DateStrOld FROM "
    "chat_message_join INNER JOIN message  ON message.rowid = chat_message_join.message_id "
    "INNER JOIN handle  ON handle.rowid = message.handle_id;";

// The query of databases that keep attributedBody (every device since iOS 11 or so): as above,
// and besides the archived text of each message whose text is NULL or empty, the conversation
// of each row, and also the owner's messages that have no handle (handle_id 0: the owner's own
// messages in group conversations), which the join on handle would drop.
inline constexpr const char* kMessagesWithBodiesQuery =
    "SELECT message.text, message.is_from_me, datetime(message.date/1000000000 + 978307200, "
    "'unixepoch') AS DateStr, message.RowID, message.handle_id, handle.id AS sender_name, "
    "message.date, datetime(message.date + 978307200, 'unixepoch') AS DateStrOld, CASE WHEN "
    "message.text IS NULL OR message.text = '' THEN hex(message.attributedBody) END AS Body, "
    "chat_message_join.chat_id FROM chat_message_join INNER JOIN message ON message.rowid = "
    "chat_message_join.message_id LEFT JOIN handle ON handle.rowid = message.handle_id WHERE "
    "handle.rowid IS NOT NULL OR (IFNULL(message.handle_id, 0) = 0 AND message.is_from_me = 1);";

// Reads every message of the messages database at "messagesPath" that a conversation links to
// and that has a handle and a non-empty text, names its sender from the address book at
// "addressBookPath" (the first entry, in the address book's row order, whose phone text
// contains the sender), sorts them by date (case-insensitive text order, oldest first; equal
// dates in no fixed order) and appends them to "threads" under their handleId. A message that
// conversations link twice is delivered twice. Dates are UTC.
// With kMessagesWithBodiesQuery (the Part's query, kMessagesQuery, when the database refuses it):
// a message whose text is NULL or empty takes the text of its attributedBody
// (records/AttributedBodyText.h), and the owner's messages without a handle are delivered in
// their conversation's thread (records/OwnChatThreads.h).
//
// Reports, when progress.report is set: running + weight / 5 once the messages are read,
// running + weight / 4 once the address book is read, and running + weight at the end.
// A non-zero answer to the first report skips the address book and delivers nothing.
//
// Returns success, or the first failure: SQLite's open code of either database, 1006 when the
// messages query fails (nothing is added) or when the address book's first layout is refused
// (the second still names the senders). A non-zero answer to a report becomes the result, a
// stop with that answer (2 when the user stopped the scan). A missing or unreadable address book
// leaves the senders unnamed; the messages are still delivered.
Result ReadMessagesDatabase(const std::string& messagesPath, const std::string& addressBookPath,
                            const MessagesProgress& progress, MessageThreadMap& threads);

}  // namespace zbe
