#include "app/RowTexts.h"

#include "backup/MediaExtensions.h"
#include "export/Formats.h"
#include "export/RowBuilders.h"

namespace zbe {

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

RowCells RowTexts(const MediaFileItem& item) {
  return {item.name, FormatSize(item.size)};
}

RowCells RowTexts(const AttachmentItem& item) {
  return {item.name, FormatSize(item.size)};
}

RowCells RowTexts(const AppMediaItem& item) {
  return {item.name, item.app, FormatSize(item.size)};
}

RowCells RowTexts(const MessageRecord& row) {
  return {row.contactName, row.sender, row.date, row.text};
}

RowCells RowTexts(const ContactRecord& contact) {
  return {contact.name, contact.company, std::string(FirstLine(contact.phone)), contact.email,
          contact.url};
}

RowCells RowTexts(const CallRecord& call) {
  return {call.contactName,   call.address,           call.date,
          CallTypeText(call), CallDurationText(call), "Normal"};
}

RowCells RowTexts(const NoteRecord& note) {
  return {note.title, note.date, note.body};
}

RowCells RowTexts(const WhatsAppMessage& row) {
  return {row.chatName, row.memberNames.empty() ? row.senderName : row.memberNames,
          row.memberJids.empty() ? row.pushName : row.memberJids};
}

RowCells AppFolderTexts(const std::string& app) {
  return {app, "Folder"};
}

bool ShowsVideoIcon(std::string_view name) {
  return IsVideoExtension(ExtensionOf(name));
}

}  // namespace zbe
