#include "records/NotesReader.h"

#include "records/Conversions.h"
#include "records/NoteData.h"
#include "records/NoteStoreQuery.h"
#include "records/NoteTextDecoding.h"
#include "records/ReferenceDates.h"
#include "records/ResultCodes.h"
#include "records/SqliteDatabase.h"
#include "records/TextOrder.h"

namespace zbe {
namespace {

void SortNewestFirst(NoteList& notes) {
  SortByText(notes, &NoteRecord::date, TextOrder::kDescending);
}

void AddIfNotEmpty(NoteRecord note, NoteList& notes) {
  if (!note.title.empty() || !note.body.empty()) {
    notes.push_back(std::move(note));
  }
}

// Runs "query" on the open "db" with "onRow"; on success replaces "notes" with the decoded
// collected notes. Returns success or 1006.
Result QueryNotes(SqliteDatabase& db, const char* query, NoteList& collected,
                  const SqliteDatabase::RowCallback& onRow, NoteList& notes) {
  if (!db.Exec(query, onRow).ok()) {
    return kQueryFailed;
  }
  NoteList decoded;
  decoded.reserve(collected.size());
  for (const NoteRecord& note : collected) {
    NoteRecord copy;
    copy.date = note.date;
    copy.body = DecodeNoteText(note.body);
    copy.title = DecodeNoteText(note.title);
    decoded.push_back(std::move(copy));
  }
  notes = std::move(decoded);
  return Result::Ok();
}

}  // namespace

Result ReadOldNotesDatabase(const std::string& path, NoteList& notes) {
  SqliteDatabase db;
  if (Result opened = db.Open(path); !opened.ok()) {
    return opened;
  }
  NoteList collected;
  auto onRow = [&collected](int columnCount, char** values, char**) {
    if (columnCount < 3) {
      return 0;
    }
    NoteRecord note;
    note.date = LocalDateFromReferenceSeconds(values[0]);
    note.title = TextFromColumn(values[1]);
    note.body = TextFromColumn(values[2]);
    AddIfNotEmpty(std::move(note), collected);
    return 0;
  };
  Result result = QueryNotes(db, kOldNotesQuery, collected, onRow, notes);
  db.Close();
  if (result.ok()) {
    SortNewestFirst(notes);
  }
  return result;
}

Result ReadNotesDatabase(const std::string& path, NoteList& notes) {
  SqliteDatabase db;
  Result result = db.Open(path);
  if (result.ok()) {
    NoteList collected;
    auto onRow = [&collected](int columnCount, char** values, char**) {
      if (columnCount < 5) {
        return 0;
      }
      // A note is delivered when it has a title or a text, before decoding.
      std::string title = TextFromColumn(values[0]);
      std::string snippet = TextFromColumn(values[1]);
      NoteRecord note;
      note.date = TextFromColumn(values[2]);
      if (IntFromColumn(values[3]) != 0) {
        note.body = kLockedNoteBody;
      } else if (std::optional<std::string> text = NoteDataText(BytesFromHexColumn(values[4]));
                 text && !text->empty()) {
        note.body = std::move(*text);  // plain text: nothing to decode
      } else if (!snippet.empty()) {
        note.body = DecodeNoteText(snippet);
      } else if (title.empty()) {
        return 0;
      }
      note.title = DecodeNoteText(title);
      collected.push_back(std::move(note));
      return 0;
    };
    if (!db.Exec(NoteStoreQuery(db), onRow).ok()) {
      result = kQueryFailed;
    } else {
      notes = std::move(collected);
    }
    db.Close();
  }
  SortNewestFirst(notes);
  return result;
}

}  // namespace zbe
