#include "export/PrintFragments.h"

#include <string_view>

#include "export/DisplayParty.h"
#include "export/HtmlEscape.h"
#include "export/RowBuilders.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

constexpr std::string_view kOpen = "<div>\r\n";
constexpr std::string_view kClose = "</div>\r\n";

// "<p><span>" + label + "</span>" + escaped value + "</p>\r\n".
void AppendLine(std::string& body, std::string_view label, std::string_view value) {
  body += "<p><span>";
  body += label;
  body += "</span>";
  AppendHtmlEscaped(body, value);
  body += "</p>\r\n";
}

const std::string& Or(const std::string& value, const std::string& fallback) {
  return value.empty() ? fallback : value;
}

// Calls "append(record)" for each checked record of a category whose items are its records.
template <typename Records, typename Append>
Result ForEachChecked(RecordCategory category, const Records& records,
                      const CStatisticsObj& selection, const PrintCancelCheck& cancelled,
                      std::string& body, Append append) {
  for (size_t i = 0; i < records.size(); ++i) {
    if (!selection.IsItemChecked(category, i)) {
      continue;
    }
    if (cancelled()) {
      return Result::Stopped();
    }
    body += kOpen;
    append(records[i]);
    body += kClose;
  }
  return Result::Ok();
}

// The builder of a category's results: one for each kind of record that has a print form.
struct PrintWriter {
  const ScanResults& results;
  const CStatisticsObj& selection;
  const PrintCancelCheck& cancelled;
  std::string& body;

  Result operator()(const ThreadResults<MessageThreadMap, MessageRecord>&) const {
    return AppendMessagesPrint(results, selection, cancelled, body);
  }
  Result operator()(const ThreadResults<WhatsAppThreadMap, WhatsAppMessage>&) const {
    return AppendWhatsAppPrint(results, selection, cancelled, body);
  }
  Result operator()(const ContactList&) const {
    return AppendContactsPrint(results, selection, cancelled, body);
  }
  Result operator()(const CallList&) const {
    return AppendCallsPrint(results, selection, cancelled, body);
  }
  Result operator()(const NoteList&) const {
    return AppendNotesPrint(results, selection, cancelled, body);
  }
  // Files and the categories without a reader have no print form.
  template <typename Other>
  Result operator()(const Other&) const {
    return Result::Ok();
  }
};

}  // namespace

Result AppendMessagesPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body) {
  for (size_t i = 0; i < results.conversationRows.size(); ++i) {
    if (!selection.IsItemChecked(RecordCategory::kMessages, i)) {
      continue;
    }
    auto thread = results.messages.find(results.conversationRows[i].handleId);
    if (thread == results.messages.end()) {
      continue;
    }
    for (const MessageRecord& message : thread->second) {
      if (cancelled()) {
        return Result::Stopped();
      }
      body += kOpen;
      AppendLine(body, message.isFromMe != 0 ? "To:" : "From:", MessageDisplayParty(message));
      AppendLine(body, "Date:", message.date);
      AppendLine(body, "Content:", message.text);
      body += kClose;
    }
  }
  return Result::Ok();
}

Result AppendContactsPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body) {
  return ForEachChecked(RecordCategory::kContacts, results.contacts, selection, cancelled, body,
                        [&body](const ContactRecord& contact) {
                          AppendLine(body, "Name:", contact.name);
                          AppendLine(body, "Phone Number:", contact.phone);
                          AppendLine(body, "Company:", contact.company);
                          AppendLine(body, "Email:", contact.email);
                          AppendLine(body, "URL:", contact.url);
                        });
}

Result AppendCallsPrint(const ScanResults& results, const CStatisticsObj& selection,
                        const PrintCancelCheck& cancelled, std::string& body) {
  return ForEachChecked(RecordCategory::kCallHistory, results.calls, selection, cancelled, body,
                        [&body](const CallRecord& call) {
                          AppendLine(body, "Name:", call.contactName);
                          AppendLine(body, "Phone Number:", call.address);
                          AppendLine(body, "Date:", call.date);
                          AppendLine(body, "Type:", CallTypeText(call));
                          AppendLine(body, "Duration:", CallDurationText(call));
                        });
}

Result AppendNotesPrint(const ScanResults& results, const CStatisticsObj& selection,
                        const PrintCancelCheck& cancelled, std::string& body) {
  return ForEachChecked(RecordCategory::kNotes, results.notes, selection, cancelled, body,
                        [&body](const NoteRecord& note) {
                          AppendLine(body, "Title:", note.title);
                          AppendLine(body, "Date:", note.date);
                          AppendLine(body, "Notes:", note.body);
                        });
}

Result AppendWhatsAppPrint(const ScanResults& results, const CStatisticsObj& selection,
                           const PrintCancelCheck& cancelled, std::string& body) {
  for (size_t i = 0; i < results.chatRows.size(); ++i) {
    if (!selection.IsItemChecked(RecordCategory::kWhatsApp, i)) {
      continue;
    }
    const WhatsAppMessage& row = results.chatRows[i];
    auto chat = results.whatsApp.find(row.chatId);
    if (chat == results.whatsApp.end()) {
      continue;
    }
    if (cancelled()) {
      return Result::Stopped();
    }
    body += kOpen;
    AppendLine(body, "Chats:", row.chatName);
    AppendLine(body, "Name:", Or(row.memberNames, row.senderName));
    AppendLine(body, "Phone Number:", Or(row.memberJids, row.pushName));
    body += "<p><span>Content:</span></p>\r\n";
    for (const WhatsAppMessage& message : chat->second) {
      if (cancelled()) {
        body += kClose;
        return Result::Stopped();
      }
      body += "<p>";
      AppendHtmlEscaped(body, message.isFromMe != 0 ? std::string_view("Me")
                                                    : std::string_view(message.senderName));
      body += " (";
      AppendHtmlEscaped(body, message.date);
      body += "): ";
      AppendHtmlEscaped(body, message.text);
      body += "</p>";
    }
    body += kClose;
  }
  return Result::Ok();
}

Result AppendPrintFragments(RecordCategory category, const ScanResults& results,
                            const CStatisticsObj& selection, const PrintCancelCheck& cancelled,
                            std::string& body) {
  return VisitContainer(results, category, PrintWriter{results, selection, cancelled, body});
}

}  // namespace zbe
