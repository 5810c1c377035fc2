#include "tools/mkbackup/SampleRecords.h"

#include "tools/mkbackup/AddressBookDatabase.h"
#include "tools/mkbackup/CallHistoryDatabase.h"
#include "tools/mkbackup/MessagesDatabase.h"
#include "tools/mkbackup/NotesDatabase.h"
#include "tools/mkbackup/SamplePeople.h"
#include "tools/mkbackup/WhatsAppDatabase.h"

namespace zbe::mkbackup {

void AddRecordDatabases(SampleBackup& backup, const SampleOptions& options) {
  const int scale = options.scale < 1 ? 1 : options.scale;
  // The last records were made a few hours before the backup.
  const int64_t lastRecordAt = options.lastBackupDate - 4 * 3600;
  std::vector<SamplePerson> people = MakeSamplePeople(options.seed, scale);
  AddAddressBook(backup, people, options.contactsLayout);
  AddMessagesDatabase(backup, people, {options.seed, scale, lastRecordAt, options.legacyDates});
  CallsSample calls{options.seed, scale, lastRecordAt};
  if (options.oldCalls) {
    AddOldCallHistory(backup, people, calls);
  } else {
    AddCallHistory(backup, people, calls);
  }
  NotesSample notes{options.seed, scale, lastRecordAt};
  if (options.oldNotes) {
    AddOldNotesDatabase(backup, notes);
  } else {
    AddNotesDatabase(backup, notes);
  }
  AddWhatsAppDatabases(backup, people, {options.seed, scale, lastRecordAt});
}

}  // namespace zbe::mkbackup
