#pragma once

#include <cstdint>
#include <string>

#include "tools/mkbackup/SampleBackup.h"

namespace zbe::mkbackup {

// What the generated notes look like.
struct NotesSample {
  uint32_t seed = 1;
  int scale = 1;           // multiplies the number of notes
  int64_t lastNoteAt = 0;  // seconds since 1970; notes span the two years before
};

// The newer notes database, "NoteStore.sqlite", as iOS 17 writes it: ZICCLOUDSYNCINGOBJECT
// holding the account, folders (one with "/" in its name), and 30 × scale notes and more with
// title (ZTITLE1), snippet (ZSNIPPET) and creation date (seconds since 2001; ZCREATIONDATE3 only,
// but in every date column for the edge cases below), and ZICNOTEDATA with each note's whole text
// (gzip-compressed protocol buffers; see NoteDataArchive.h). Among them: a long note of several
// paragraphs, locked notes without a snippet (their data encrypted), a note without title and
// snippet, a note with an empty text, and, without note data, snippets holding HTML entities and
// line tags ("Tom &amp; Jerry", "a&amp;lt;b", "line1<br>line2<BR>line3", an escaped div, a lone
// closing div); emoji and "/". Plus Z_PRIMARYKEY with the entities and the Core Data tables.
// Throws SqlWriteError on a fault of the generator.
std::string MakeNotesDatabase(const NotesSample& sample);

// The older notes database, "notes.sqlite": ZNOTE with ZNOTEBODY (each note's whole text as
// HTML), ZSTORE, ZACCOUNT and the Core Data tables, with notes like the newer one's.
std::string MakeOldNotesDatabase(const NotesSample& sample);

// Add them to "backup": AppDomainGroup-group.com.apple.notes "NoteStore.sqlite", and HomeDomain
// "Library/Notes/notes.sqlite".
void AddNotesDatabase(SampleBackup& backup, const NotesSample& sample);
void AddOldNotesDatabase(SampleBackup& backup, const NotesSample& sample);

}  // namespace zbe::mkbackup
