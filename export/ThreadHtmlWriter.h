#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportProgress.h"
#include "export/Template.h"
#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// Writes the HTML file of one message thread to "path": the messages template's head with
// "{|person|}" naming the thread (name = row.contactName, or "Unknown" when empty; phone =
// row.sender), then per message of "thread" in order a date line and a bubble
// (AppendMessageBubble: party "Me" for sent messages, else MessageDateLineParty), then the
// tail. "row" is the thread's row in the data list (a copy of its newest message); "thread" is
// its vector of the thread map (empty when the key had no entry: head and tail only).
// Progress, stopping and results are those of WriteConversationHtml: returns success, a stop
// when "progress" asked for one (the file holds the messages taken so far), or the errno of a file
// that could not be created or written (also reported to "progress" as finished with it).
Result WriteThreadHtml(const std::string& path, const HtmlTemplate& messagesTemplate,
                       const MessageRecord& row, const std::vector<MessageRecord>& thread,
                       IExportProgress* progress);

}  // namespace zbe
