#include "export/ChatHtmlWriter.h"

#include "export/ConversationHtml.h"
#include "export/DisplayParty.h"

namespace zbe {

int32_t WriteChatHtml(const std::string& path, const HtmlTemplate& whatsAppTemplate,
                      const WhatsAppMessage& row, const std::vector<WhatsAppMessage>& chat,
                      IExportProgress* progress) {
  std::string head = FillPerson(whatsAppTemplate.head, row.memberNames, row.memberJids);
  return WriteConversationHtml(
      path, head, whatsAppTemplate.tail, chat.size(),
      [&chat](size_t i, std::string& body) {
        const WhatsAppMessage& message = chat[i];
        bool sent = message.isFromMe != 0;
        AppendMessageBubble(body, sent, message.date,
                            sent ? std::string_view("Me") : WhatsAppDateLineParty(message),
                            message.text);
      },
      progress);
}

}  // namespace zbe
