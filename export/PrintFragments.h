#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "export/CStatisticsObj.h"
#include "records/Result.h"
#include "records/ScanResults.h"

namespace zbe {

// Answers true once the print has been cancelled (the print run reads its cancel flag).
using PrintCancelCheck = std::function<bool()>;

// The HTML fragments of the print page: one block per checked record of a category, in the
// order of the category's container, each "<div>\r\n" + "<p><span>Label:</span>value</p>\r\n"
// lines + "</div>\r\n". Record text is HTML-escaped. Each builder appends to "body" and looks at
// "cancelled" before each record (before each message for messages and WhatsApp); once it
// answers true the builder returns a stop at once, "body" keeping the blocks built so far (a
// WhatsApp chat that was being built is closed with its "</div>\r\n"). Otherwise it returns
// success.

// Messages, per checked conversation row, every message of its thread (oldest first) as a block:
// "To:" (sent) or "From:" (received) with MessageDisplayParty, "Date:", "Content:".
Result AppendMessagesPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body);

// Contacts: "Name:", "Phone Number:", "Company:", "Email:", "URL:".
Result AppendContactsPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body);

// Call history: "Name:" (contactName), "Phone Number:" (address), "Date:", "Type:" and
// "Duration:" (CallTypeText, CallDurationText).
Result AppendCallsPrint(const ScanResults& results, const CStatisticsObj& selection,
                        const PrintCancelCheck& cancelled, std::string& body);

// Notes: "Title:", "Date:", "Notes:" (the body, line breaks kept).
Result AppendNotesPrint(const ScanResults& results, const CStatisticsObj& selection,
                        const PrintCancelCheck& cancelled, std::string& body);

// WhatsApp, one block per checked chat: "Chats:" (chatName), "Name:" (memberNames, or
// senderName when empty), "Phone Number:" (memberJids, or pushName when empty), all of the chat's
// row (its newest message), then "<p><span>Content:</span></p>\r\n" and per message
// "<p>" + ("Me" when sent, else senderName) + " (" + date + "): " + text + "</p>" (no line end
// between messages), then "</div>\r\n".
Result AppendWhatsAppPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body);

// The builder of "category" (the five above); the other categories add nothing and return
// success.
Result AppendPrintFragments(RecordCategory category, const ScanResults& results,
                            const CStatisticsObj& selection, const PrintCancelCheck& cancelled,
                            std::string& body);

}  // namespace zbe
