// The record reads of CBackupParser: messages, contacts, call history, notes, WhatsApp.

#include "backup/CBackupParser.h"
#include "backup/ScanSteps.h"
#include "platform/FileSystem.h"
#include "records/CallHistoryReader.h"
#include "records/ContactsReader.h"
#include "records/MessagesReader.h"
#include "records/NotesReader.h"
#include "records/WhatsAppReader.h"

namespace zbe {

int32_t CBackupParser::ReadMessages(MessageThreadMap& threads) {
  MessagesProgress progress;
  if (progressCallback_ != nullptr) {
    progress.report = [this](int32_t value) { return ReportProgress(value); };
  }
  progress.running = runningProgress_;
  progress.weight = stepWeight_;
  // Read into a map of its own and handed over whole, never copied: a large backup's messages
  // are most of a scan's memory.
  MessageThreadMap read;
  Result result = ReadMessagesDatabase(StoredFilePath(kMessagesHashedName),
                                       StoredFilePath(kAddressBookHashedName), progress, read);
  threads = std::move(read);
  // The reader made the reports; this step's share is counted without one.
  runningProgress_ += EndShare(ReadStep::kMessages);
  return result.code();
}

int32_t CBackupParser::ReadContacts(ContactList& contacts) {
  Result result = ReadContactsDatabase(StoredFilePath(kAddressBookHashedName), contacts);
  runningProgress_ += EndShare(ReadStep::kContacts);
  ReportProgress(runningProgress_);
  return result.code();
}

int32_t CBackupParser::ReadCallHistory(CallList& calls) {
  std::string newer = StoredFilePath(kCallHistoryHashedName);
  bool hasNewer = PathExists(newer);
  Result result =
      ReadCallHistoryDatabase(hasNewer ? newer : StoredFilePath(kOldCallHistoryHashedName),
                              hasNewer ? CallDatabase::kNewer : CallDatabase::kOlder,
                              StoredFilePath(kAddressBookHashedName), calls);
  runningProgress_ += EndShare(ReadStep::kCallHistory);
  ReportProgress(runningProgress_);
  return result.code();
}

int32_t CBackupParser::ReadNotes(NoteList& notes) {
  Result result = ReadOldNotesDatabase(StoredFilePath(kOldNotesHashedName), notes);
  if (notes.empty()) {
    result = ReadNotesDatabase(StoredFilePath(kNotesHashedName), notes);
  }
  runningProgress_ += EndShare(ReadStep::kNotes);
  ReportProgress(runningProgress_);
  return result.code();
}

int32_t CBackupParser::ReadWhatsApp(WhatsAppThreadMap& chats) {
  WhatsAppThreadMap read;
  Result result = ReadWhatsAppDatabase(FindWhatsAppDatabases().chatDatabase, read);
  chats = std::move(read);
  runningProgress_ += EndShare(ReadStep::kWhatsApp);
  int32_t answer = ReportProgress(runningProgress_);
  // A stop answer ends the scan; a zero answer does not turn a failed read into a success.
  return answer != 0 ? answer : result.code();
}

}  // namespace zbe
