#include "export/RowBuilders.h"

#include <string_view>

#include "export/Formats.h"
#include "export/HtmlEscape.h"

namespace zbe {
namespace {

void AppendCell(std::string& rows, std::string_view value) {
  rows += "<td>";
  AppendHtmlEscaped(rows, value);
  rows += "</td>";
}

// The phone numbers of a contact, one per line of the cell.
void AppendPhoneCell(std::string& rows, std::string_view phone) {
  rows += "<td>";
  for (size_t from = 0;;) {
    size_t end = phone.find('\n', from);
    AppendHtmlEscaped(rows, phone.substr(from, end - from));
    if (end == std::string_view::npos) {
      break;
    }
    rows += "<br />";
    from = end + 1;
  }
  rows += "</td>";
}

}  // namespace

void AppendContactRow(const ContactRecord& contact, std::string& rows) {
  rows += "\t<tr>";
  AppendCell(rows, contact.name);
  AppendPhoneCell(rows, contact.phone);
  AppendCell(rows, contact.email);
  AppendCell(rows, contact.address);
  AppendCell(rows, contact.url);
  AppendCell(rows, contact.social);
  AppendCell(rows, contact.company);
  rows += "</tr>\r\n";
}

std::string CallTypeText(const CallRecord& call) {
  return call.answered != 0 ? "Incoming" : "Outgoing";
}

std::string CallDurationText(const CallRecord& call) {
  if (call.duration != 0) {
    return FormatDuration(call.duration);
  }
  return call.answered != 0 ? "Missed" : "Canceled";
}

void AppendCallRow(const CallRecord& call, std::string& rows) {
  rows += "\t<tr>";
  AppendCell(rows, call.contactName);
  AppendCell(rows, call.address);
  AppendCell(rows, call.date);
  AppendCell(rows, CallTypeText(call));
  AppendCell(rows, CallDurationText(call));
  rows += "</tr>\r\n";
}

void AppendNoteRow(const NoteRecord& note, std::string& rows) {
  rows += "\t<tr>";
  AppendCell(rows, note.title);
  AppendCell(rows, note.date);
  AppendCell(rows, note.body);
  rows += "</tr>\r\n";
}

}  // namespace zbe
