#pragma once

#include "tools/mkbackup/SampleBackup.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {

// Adds the record databases of the sample device to "backup", each at its real domain and path
// (so under its well-known hashed name): the address book (layout options.contactsLayout),
// "sms.db" (options.legacyDates), the newer call database or, with options.oldCalls,
// "call_history.db", "NoteStore.sqlite" or, with options.oldNotes, "notes.sqlite", and
// WhatsApp's "ChatStorage.sqlite" and "Contacts.sqlite". Every count grows with options.scale;
// records are dated in the year(s) before options.lastBackupDate. Throws SqlWriteError on a
// fault of a generator.
void AddRecordDatabases(SampleBackup& backup, const SampleOptions& options);

}  // namespace zbe::mkbackup
