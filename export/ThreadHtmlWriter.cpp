#include "export/ThreadHtmlWriter.h"

#include "export/ConversationHtml.h"
#include "export/DisplayParty.h"

namespace zbe {

int32_t WriteThreadHtml(const std::string& path, const HtmlTemplate& messagesTemplate,
                        const MessageRecord& row, const std::vector<MessageRecord>& thread,
                        IExportProgress* progress) {
  std::string head = FillPerson(messagesTemplate.head,
                                row.contactName.empty() ? "Unknown" : row.contactName, row.sender);
  return WriteConversationHtml(
      path, head, messagesTemplate.tail, thread.size(),
      [&thread](size_t i, std::string& body) {
        const MessageRecord& message = thread[i];
        bool sent = message.isFromMe != 0;
        AppendMessageBubble(body, sent, message.date,
                            sent ? std::string_view("Me") : MessageDateLineParty(message),
                            message.text);
      },
      progress);
}

}  // namespace zbe
