#pragma once

#include <cstdint>
#include <string>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// The older notes database ("notes.sqlite"): creation dates count seconds since 2001.
inline constexpr const char* kOldNotesQuery =
    "SELECT ZNOTE.ZCREATIONDATE ,ZNOTE.ZTITLE, ZNOTEBODY.ZCONTENT from ZNOTE LEFT JOIN ZNOTEBODY "
    "ON ZBODY = ZNOTEBODY.Z_PK order by ZNOTE.ZCREATIONDATE desc;";

// Both readers deliver the notes that have a title or a body, with both texts decoded
// (records/NoteTextDecoding.h), and sort "notes" by date, newest first (case-insensitive text
// order; equal dates in no fixed order, notes without a date last).

// Reads the older notes database at "path". When its query succeeds, replaces the content of
// "notes" with its notes (dates in local time) and sorts them. Returns success, SQLite's open code
// (nothing changed), or 1006 when the query fails ("notes" left as it was, unsorted).
Result ReadOldNotesDatabase(const std::string& path, NoteList& notes);

// Reads the newer notes database at "path" with NoteStoreQuery: only the rows of notes (never
// folders or accounts), each dated by the first of its creation date columns that is set (UTC).
// A note's body is its full text from its note data (records/NoteData.h), not decoded; the
// snippet (decoded) when the data is missing or unreadable; kLockedNoteBody for a locked note.
// When the query succeeds, replaces the content of "notes" with its notes. Sorts "notes" in any
// case. Returns success, SQLite's open code, or 1006 when the query fails ("notes" otherwise left
// as it was).
Result ReadNotesDatabase(const std::string& path, NoteList& notes);

}  // namespace zbe
