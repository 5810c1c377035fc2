#pragma once

#include <string>

#include "records/SqliteDatabase.h"

namespace zbe {

// The text a locked note is delivered with: its data is encrypted with the note's own password.
inline constexpr const char* kLockedNoteBody = "This note is locked.";

// The query that reads the notes of the newer notes database "db" (open), made for the columns
// and entities that this version of the store has. Its rows: ZTITLE1, ZSNIPPET, the creation
// date (UTC date text of the first of ZCREATIONDATE, ZCREATIONDATE1 and ZCREATIONDATE3 that is
// not NULL; iOS 14 and later fill only the last), ZISPASSWORDPROTECTED, and the hex text of the
// note's data (ZICNOTEDATA.ZDATA), newest first. Only rows of the note entity are read, its
// number looked up in Z_PRIMARYKEY (it differs between versions); without that table all rows
// are. A column or table that this store lacks reads as NULL, except ZTITLE1 and ZSNIPPET: a
// store without them fails the query (SQLite reports it).
std::string NoteStoreQuery(SqliteDatabase& db);

}  // namespace zbe
