#include "export/ThreadHtmlWriter.h"

#include "export/ConversationHtml.h"
#include "export/DisplayParty.h"

namespace zbe {

Result WriteThreadHtml(const std::string& path, const HtmlTemplate& messagesTemplate,
                       const MessageRecord& row, const std::vector<MessageRecord>& thread,
                       IExportProgress* progress) {
  std::string head = FillPerson(messagesTemplate.head,
                                row.contactName.empty() ? "Unknown" : row.contactName, row.sender);
  return WriteMessagesHtml(path, head, messagesTemplate.tail, thread, MessageDateLineParty,
                           progress);
}

}  // namespace zbe
