#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportProgress.h"
#include "records/Result.h"

namespace zbe {

// What the HTML files of message threads and WhatsApp chats share: the date line and bubble of
// one message, and the writing of one conversation file with its progress reports.

// Appends one message to "body":
//   "<div class=\"date\">Date: " + date + " " + party + ":</div>\r\n"
//   "<div class=\"send_msg\">" + text + "</div>\r\n"   (sent; "recv_msg" when received)
// with date, party and text HTML-escaped. WriteMessagesHtml passes "Me" as a sent message's party.
void AppendMessageBubble(std::string& body, bool sent, std::string_view date,
                         std::string_view party, std::string_view text);

// Builds and writes one conversation file, head + body + tail, to "path" (its folder is created
// first; an existing file is truncated). "appendMessage(i, body)" appends message i of
// "messageCount" to the body, in order. After each message but the last, "progress" (may be
// null) gets (i + 1) * 100 / messageCount; a non-zero answer stops taking messages, and the
// file is still written with the messages taken so far. Once the file is written, a complete
// file is reported finished: (100, 0, path), whose answer changes nothing; a file that cannot be
// created or written is reported (100, errno, path), stopped or not. The finished report comes only
// after the bytes are on disk, so a file is never listed as a success before its write has
// succeeded. An empty conversation writes head and tail and reports nothing unless the write fails.
// Returns success; a stop (the file holds only part of the conversation; the caller decides
// whether to keep it); or the errno of the failed create or write.
Result WriteConversationHtml(const std::string& path, std::string_view head, std::string_view tail,
                             size_t messageCount,
                             const std::function<void(size_t, std::string&)>& appendMessage,
                             IExportProgress* progress);

// WriteConversationHtml of one bubble per message of "messages" (MessageRecord or
// WhatsAppMessage), in order: the party is "Me" for a sent message (isFromMe != 0), else
// "partyOf(message)". Results as WriteConversationHtml.
template <class Message>
Result WriteMessagesHtml(const std::string& path, std::string_view head, std::string_view tail,
                         const std::vector<Message>& messages,
                         std::string_view (*partyOf)(const Message&), IExportProgress* progress) {
  return WriteConversationHtml(
      path, head, tail, messages.size(),
      [&messages, partyOf](size_t i, std::string& body) {
        const Message& message = messages[i];
        bool sent = message.isFromMe != 0;
        AppendMessageBubble(body, sent, message.date,
                            sent ? std::string_view("Me") : partyOf(message), message.text);
      },
      progress);
}

}  // namespace zbe
