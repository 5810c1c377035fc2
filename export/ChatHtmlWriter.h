#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportProgress.h"
#include "export/Template.h"
#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// Writes the HTML file of one WhatsApp chat to "path": the WhatsApp template's head with
// "{|person|}" naming the chat (name = row.memberNames, phone = row.memberJids, as they are),
// then per message of "chat" in order a date line and a bubble (AppendMessageBubble: party
// "Me" for sent messages, else WhatsAppDateLineParty), then the tail. "row" is the chat's row
// in the data list (a copy of its newest message); "chat" is its vector of the WhatsApp map
// (empty when the key had no entry: head and tail only). Progress, stopping and results are
// those of WriteConversationHtml: returns success, a stop when "progress" asked (the file holds
// the messages taken so far), or the errno of a file that could not be created or written
// (also reported to "progress" as finished with it).
Result WriteChatHtml(const std::string& path, const HtmlTemplate& whatsAppTemplate,
                     const WhatsAppMessage& row, const std::vector<WhatsAppMessage>& chat,
                     IExportProgress* progress);

}  // namespace zbe
