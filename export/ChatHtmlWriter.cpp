#include "export/ChatHtmlWriter.h"

#include "export/ConversationHtml.h"
#include "export/DisplayParty.h"

namespace zbe {

Result WriteChatHtml(const std::string& path, const HtmlTemplate& whatsAppTemplate,
                     const WhatsAppMessage& row, const std::vector<WhatsAppMessage>& chat,
                     IExportProgress* progress) {
  std::string head = FillPerson(whatsAppTemplate.head, row.memberNames, row.memberJids);
  return WriteMessagesHtml(path, head, whatsAppTemplate.tail, chat, WhatsAppDateLineParty,
                           progress);
}

}  // namespace zbe
