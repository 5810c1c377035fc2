#include "records/NoteStoreQuery.h"

#include <set>

#include "records/Conversions.h"

namespace zbe {
namespace {

// The column names of "table" in "db" (none when it does not exist). The name is a constant of
// this file, never data.
std::set<std::string> Columns(SqliteDatabase& db, const char* table) {
  std::set<std::string> columns;
  db.Exec(
      std::string("PRAGMA table_info(") + table + ");",
      [&columns](int columnCount, char** values, char** names) {
        for (int i = 0; i < columnCount; ++i) {
          if (names[i] != nullptr && std::string_view(names[i]) == "name" && values[i] != nullptr) {
            columns.insert(values[i]);
          }
        }
        return 0;
      });
  return columns;
}

// The entity number of notes, or nothing when the store does not say.
std::string NoteEntity(SqliteDatabase& db) {
  std::string entity;
  db.Exec("SELECT Z_ENT FROM Z_PRIMARYKEY WHERE Z_NAME = 'ICNote';",
          [&entity](int columnCount, char** values, char**) {
            if (columnCount >= 1 && values[0] != nullptr) {
              entity = std::to_string(LeadingInteger(values[0]));
            }
            return 1;  // the first row is enough
          });
  return entity;
}

}  // namespace

std::string NoteStoreQuery(SqliteDatabase& db) {
  std::set<std::string> notes = Columns(db, "ZICCLOUDSYNCINGOBJECT");
  std::set<std::string> data = Columns(db, "ZICNOTEDATA");
  std::string dates;
  for (const char* column : {"ZCREATIONDATE", "ZCREATIONDATE1", "ZCREATIONDATE3"}) {
    if (notes.count(column) != 0) {
      dates += std::string(dates.empty() ? "" : ", ") + "note." + column;
    }
  }
  const bool hasData =
      notes.count("ZNOTEDATA") != 0 && data.count("Z_PK") != 0 && data.count("ZDATA") != 0;
  std::string query = "SELECT note.ZTITLE1, note.ZSNIPPET, ";
  query += dates.empty() ? std::string("NULL")
                         : "datetime(COALESCE(" + dates + ", NULL) + 978307200, 'unixepoch')";
  query += " AS CreationDate, ";
  query += notes.count("ZISPASSWORDPROTECTED") != 0 ? "note.ZISPASSWORDPROTECTED" : "NULL";
  query += ", ";
  query += hasData ? "hex(data.ZDATA)" : "NULL";
  query += " FROM ZICCLOUDSYNCINGOBJECT AS note";
  if (hasData) {
    query += " LEFT JOIN ZICNOTEDATA AS data ON data.Z_PK = note.ZNOTEDATA";
  }
  std::string entity = NoteEntity(db);
  if (!entity.empty() && notes.count("Z_ENT") != 0) {
    query += " WHERE note.Z_ENT = " + entity;
  }
  return query + " ORDER BY CreationDate DESC;";
}

}  // namespace zbe
