// The record reads of CBackupParser: messages, contacts, call history, notes, WhatsApp.

#include "backup/CBackupParser.h"
#include "backup/ResultCodes.h"

namespace zbe {

int32_t CBackupParser::ReadMessages(MessageThreadMap&) {
  // Filled by the messages reader, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadContacts(ContactList&) {
  // Filled by the contacts reader, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadNotes(NoteList&) {
  // Filled by the notes reader, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadCallHistory(CallList&) {
  // Filled by the call history reader, which is not built yet.
  return kResultMissingFile;
}

int32_t CBackupParser::ReadWhatsApp(WhatsAppThreadMap&) {
  // Filled by the WhatsApp reader, which is not built yet.
  return kResultMissingFile;
}

}  // namespace zbe
