#include "tools/mkbackup/NotesDatabase.h"

#include <optional>
#include <vector>

#include "records/ReferenceDates.h"
#include "tools/mkbackup/NoteDataArchive.h"
#include "tools/mkbackup/SampleText.h"
#include "tools/mkbackup/SqliteWriter.h"

namespace zbe::mkbackup {
namespace {

constexpr const char* kNewerSchema =
    "CREATE TABLE ZICCLOUDSYNCINGOBJECT ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZCRYPTOITERATIONCOUNT INTEGER, ZISPASSWORDPROTECTED INTEGER, ZMARKEDFORDELETION INTEGER, "
    "ZNEEDSINITIALFETCHFROMCLOUD INTEGER, ZACCOUNT INTEGER, ZFOLDER INTEGER, ZNOTEDATA INTEGER, "
    "ZNOTE INTEGER, ZPARENT INTEGER, ZISPINNED INTEGER, ZFOLDERTYPE INTEGER, ZACCOUNTTYPE "
    "INTEGER, ZCREATIONDATE TIMESTAMP, ZMODIFICATIONDATE TIMESTAMP, ZCREATIONDATE1 TIMESTAMP, "
    "ZMODIFICATIONDATE1 TIMESTAMP, ZCREATIONDATE3 TIMESTAMP, ZLASTVIEWEDMODIFICATIONDATE "
    "TIMESTAMP, ZIDENTIFIER VARCHAR, ZNAME VARCHAR, ZTITLE VARCHAR, ZSNIPPET VARCHAR, ZTITLE1 "
    "VARCHAR, ZTITLE2 VARCHAR, ZTYPEUTI VARCHAR, ZWIDGETSNIPPET VARCHAR, ZCRYPTOSALT BLOB, "
    "ZCRYPTOWRAPPEDKEY BLOB, ZSERVERRECORDDATA BLOB );"
    "CREATE INDEX ZICCLOUDSYNCINGOBJECT_ZFOLDER_INDEX ON ZICCLOUDSYNCINGOBJECT (ZFOLDER);"
    "CREATE INDEX ZICCLOUDSYNCINGOBJECT_ZNOTEDATA_INDEX ON ZICCLOUDSYNCINGOBJECT (ZNOTEDATA);"
    "CREATE TABLE ZICNOTEDATA ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZNOTE "
    "INTEGER, ZCRYPTOINITIALIZATIONVECTOR BLOB, ZCRYPTOTAG BLOB, ZDATA BLOB );"
    "CREATE INDEX ZICNOTEDATA_ZNOTE_INDEX ON ZICNOTEDATA (ZNOTE);"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
    "Z_MAX INTEGER);"
    "CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);"
    "CREATE TABLE Z_MODELCACHE (Z_CONTENT BLOB);";

constexpr const char* kOlderSchema =
    "CREATE TABLE ZACCOUNT ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZTYPE "
    "INTEGER, ZDEFAULTSTORE INTEGER, ZACCOUNTIDENTIFIER VARCHAR, ZCONSTRAINTSPATH VARCHAR, ZNAME "
    "VARCHAR );"
    "CREATE TABLE ZNEXTID ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZCOUNTER "
    "INTEGER );"
    "CREATE TABLE ZNOTE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZCONTAINSCJK "
    "INTEGER, ZCONTENTTYPE INTEGER, ZDELETEDFLAG INTEGER, ZEXTERNALFLAGS INTEGER, "
    "ZEXTERNALSEQUENCENUMBER INTEGER, ZEXTERNALSERVERINTID INTEGER, ZINTEGERID INTEGER, "
    "ZISBOOKKEEPINGENTRY INTEGER, ZBODY INTEGER, ZSTORE INTEGER, ZCREATIONDATE TIMESTAMP, "
    "ZMODIFICATIONDATE TIMESTAMP, ZAUTHOR VARCHAR, ZGUID VARCHAR, ZSERVERID VARCHAR, ZSUMMARY "
    "VARCHAR, ZTITLE VARCHAR );"
    "CREATE INDEX ZNOTE_ZBODY_INDEX ON ZNOTE (ZBODY);"
    "CREATE INDEX ZNOTE_ZSTORE_INDEX ON ZNOTE (ZSTORE);"
    "CREATE TABLE ZNOTEBODY ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZOWNER "
    "INTEGER, ZCONTENT VARCHAR, ZEXTERNALCONTENTREF VARCHAR, ZEXTERNALREPRESENTATION BLOB );"
    "CREATE INDEX ZNOTEBODY_ZOWNER_INDEX ON ZNOTEBODY (ZOWNER);"
    "CREATE TABLE ZNOTECHANGE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZCHANGETYPE INTEGER, ZSTORE INTEGER, ZNOTEINTEGERIDS BLOB, ZNOTESERVERIDS BLOB, "
    "ZNOTESERVERINTIDS BLOB );"
    "CREATE TABLE ZPROPERTY ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, "
    "ZPROPERTYKEY VARCHAR, ZPROPERTYVALUE BLOB );"
    "CREATE TABLE ZSTORE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZACCOUNT "
    "INTEGER, ZEXTERNALIDENTIFIER VARCHAR, ZNAME VARCHAR, ZSYNCANCHOR VARCHAR );"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, "
    "Z_MAX INTEGER);"
    "CREATE TABLE Z_METADATA (Z_VERSION INTEGER PRIMARY KEY, Z_UUID VARCHAR(255), Z_PLIST BLOB);";

// Entities of the newer store's ZICCLOUDSYNCINGOBJECT rows.
constexpr int kAccountEntity = 13;
constexpr int kFolderEntity = 14;
constexpr int kNoteEntity = 11;

// One generated note: the title and the snippet as the newer store keeps them, its whole text
// as its note data holds it (nullopt: no data), whether it is locked, when it was written, and
// whether its creation date stands only where iOS 14 and later put it (ZCREATIONDATE3).
struct SampleNote {
  std::optional<std::string> title;
  std::optional<std::string> snippet;
  std::optional<std::string> text;
  bool locked = false;
  double created = 0;  // seconds since 2001
  bool newerDates = true;
};

constexpr const char* kTopics[] = {
    "Groceries",      "Packing list",     "Gift ideas 🎁",     "Book club / May",
    "Wi-Fi password", "Recipe: pancakes", "Meeting notes",    "Car service",
    "Garden plan 🌱",  "Movies to watch",  "Passport renewal", "Quotes",
};
// Bodies of the generated notes, as typed: the lines after the title.
constexpr const char* kBodies[] = {
    "eggs, milk, flour & sugar",     "passport\ncharger\nsunscreen",
    "Call the garage\nTuesday 9:00", "Don't forget: \"bring the tickets\"",
    "1/2 cup oats, 3/4 cup milk",    "Ideas:\nscarf\ntea set",
    "Plant tomatoes in April 🍅",     "Network: HomeNet / pw on the router",
};

// A long note: several paragraphs, far more than its snippet shows.
std::string LongNoteText() {
  std::string text = "Trip plan: Lisbon 🇵🇹\n";
  const char* days[] = {"Day 1: Alfama, the castle and a fado evening.",
                        "Day 2: tram 28 to Estrela, lunch at the market.",
                        "Day 3: Belém — the tower, the monastery, pastéis de nata.",
                        "Day 4: train to Sintra; Pena palace opens at 9:30.",
                        "Day 5: Cascais beach, back for dinner in Bairro Alto."};
  for (int week = 1; week <= 6; ++week) {
    text += "\nWeek " + std::to_string(week) + "\n";
    for (const char* day : days) {
      text += std::string(day) + " Budget: " + std::to_string(40 + 5 * week) + " € a day.\n";
    }
  }
  return text + "\nPack: adapters, sunscreen, the good walking shoes & a rain jacket.";
}

// The text a snippet shows of "body": its first line.
std::string FirstLine(const std::string& body) {
  return body.substr(0, body.find('\n'));
}

std::vector<SampleNote> MakeNotes(const NotesSample& sample) {
  SampleRandom random(sample.seed * 22695477u + 11);
  const double end = static_cast<double>(sample.lastNoteAt - kReferenceDateOffset);
  const double start = end - 2 * 365 * 86400.0;
  // The edge cases of the snippet's decoding have no note data (as notes made before the
  // store kept it), so their snippets are what the reader shows; they keep the older date
  // columns too.
  std::vector<SampleNote> notes = {
      {"Tom &amp; Jerry", "a&amp;lt;b", std::nullopt, false, start + 1000.25, false},
      {"Lines", "line1<br>line2<BR>line3", std::nullopt, false, start + 2000.5, false},
      {"Escaped", "&lt;div&gt;x&lt;/div&gt;", std::nullopt, false, start + 3000, false},
      {"Only a closing div", "</div>", std::nullopt, false, start + 4000, false},
      {std::nullopt, std::nullopt, std::nullopt, false, start + 5000, false},
      {"", "", "", false, start + 5500},
      {"Bank PINs 🔒", std::nullopt, std::nullopt, true, start + 6000},
      {std::nullopt, "A note without a title / just a snippet", std::nullopt, false, start + 7000},
  };
  std::string longText = LongNoteText();
  notes.push_back({FirstLine(longText), FirstLine(longText.substr(longText.find('\n') + 2)),
                   longText, false, start + 7500});
  const int total = 30 * sample.scale;
  for (int i = 0; i < total; ++i) {
    SampleNote note;
    std::string title = kTopics[random.Below(static_cast<uint32_t>(std::size(kTopics)))];
    std::string body = kBodies[random.Below(static_cast<uint32_t>(std::size(kBodies)))];
    note.title = title;
    note.locked = random.Below(15) == 0;
    if (!note.locked) {
      note.snippet = FirstLine(body);
      note.text = title + "\n" + body;
    }
    note.created = start + 8000 + (end - start - 8000) * i / total + random.Below(86400) +
                   random.Below(1000) / 1000.0;
    notes.push_back(std::move(note));
  }
  return notes;
}

// An older notes database keeps a note as HTML: its lines in divisions, "&", "<" and ">" as
// entities.
std::string NoteHtml(const std::string& text) {
  std::string html = "<div>";
  for (char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '\n':
        html += "</div><div>";
        break;
      default:
        html += c;
    }
  }
  return html + "</div>";
}

}  // namespace

std::string MakeNotesDatabase(const NotesSample& sample) {
  std::vector<SampleNote> notes = MakeNotes(sample);
  SampleRandom random(sample.seed * 48271u + 5);
  SqliteWriter db;
  db.Exec(kNewerSchema);
  db.Exec("BEGIN;");
  SqlStatement(db,
               "INSERT INTO ZICCLOUDSYNCINGOBJECT (Z_PK, Z_ENT, Z_OPT, ZACCOUNTTYPE, ZIDENTIFIER, "
               "ZNAME) VALUES (1, ?, 4, 1, 'LocalAccount', 'On My iPhone');")
      .Run({kAccountEntity});
  SqlStatement folder(db,
                      "INSERT INTO ZICCLOUDSYNCINGOBJECT (Z_PK, Z_ENT, Z_OPT, ZACCOUNT, "
                      "ZFOLDERTYPE, ZIDENTIFIER, ZTITLE2) VALUES (?, ?, 2, 1, ?, ?, ?);");
  folder.Run({2, kFolderEntity, 0, "DefaultFolder-CloudKit", "Notes"});
  folder.Run({3, kFolderEntity, 1, "TrashFolder-CloudKit", "Recently Deleted"});
  folder.Run({4, kFolderEntity, 0, UpperUuid(4, 0xF01D), "Recipes / Baking"});
  SqlStatement note(db,
                    "INSERT INTO ZICCLOUDSYNCINGOBJECT (Z_PK, Z_ENT, Z_OPT, ZISPASSWORDPROTECTED, "
                    "ZACCOUNT, ZFOLDER, ZNOTEDATA, ZCREATIONDATE, ZMODIFICATIONDATE, "
                    "ZCREATIONDATE1, ZMODIFICATIONDATE1, ZCREATIONDATE3, ZIDENTIFIER, ZTITLE1, "
                    "ZSNIPPET) VALUES (?, ?, 3, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  SqlStatement data(db,
                    "INSERT INTO ZICNOTEDATA (Z_PK, Z_ENT, Z_OPT, ZNOTE, ZDATA) VALUES "
                    "(?, 18, 1, ?, ?);");
  const int64_t firstNote = 10;
  for (size_t i = 0; i < notes.size(); ++i) {
    const SampleNote& entry = notes[i];
    const int64_t pk = firstNote + static_cast<int64_t>(i);
    const int64_t dataPk = static_cast<int64_t>(i) + 1;
    // iOS 14 and later date a note in ZCREATIONDATE3 only; notes from before keep the older
    // columns.
    SqlValue older = entry.newerDates ? SqlValue() : SqlValue(entry.created);
    note.Run({pk, kNoteEntity, entry.locked ? 1 : 0, i % 5 == 0 ? 4 : 2, dataPk, older,
              entry.newerDates ? SqlValue() : SqlValue(entry.created + 600), older,
              entry.newerDates ? SqlValue() : SqlValue(entry.created + 600), entry.created,
              UpperUuid(pk, 0x7E5), entry.title, entry.snippet});
    // A locked note's data is encrypted with its password: bytes that are no gzip data.
    SqlValue bytes = entry.locked ? SqlValue::Blob(random.LowerHex(96))
                     : entry.text ? SqlValue::Blob(NoteDataArchive(*entry.text))
                                  : SqlValue();
    data.Run({dataPk, pk, bytes});
  }
  db.Exec(
      "INSERT INTO Z_PRIMARYKEY VALUES (2, 'ICCloudSyncingObject', 0, (SELECT max(Z_PK) FROM "
      "ZICCLOUDSYNCINGOBJECT)), (11, 'ICNote', 2, 0), (13, 'ICAccount', 12, 0), "
      "(14, 'ICFolder', 12, 0), (18, 'ICNoteData', 0, (SELECT count(*) FROM ZICNOTEDATA));"
      "INSERT INTO Z_METADATA VALUES (1, 'B2D4F6A8-1C3E-4A5B-9D7F-2E4C6A8B0D1F', NULL);");
  db.Exec("COMMIT;");
  return db.Bytes();
}

std::string MakeOldNotesDatabase(const NotesSample& sample) {
  std::vector<SampleNote> notes = MakeNotes(sample);
  SqliteWriter db;
  db.Exec(kOlderSchema);
  db.Exec("BEGIN;");
  db.Exec(
      "INSERT INTO ZACCOUNT VALUES (1, 1, 1, 0, 1, 'local://local/account', NULL, 'On My "
      "iPhone');"
      "INSERT INTO ZSTORE VALUES (1, 4, 1, 1, 'LocalNoteStore', 'Notes', NULL);");
  SqlStatement noteRow(db,
                       "INSERT INTO ZNOTE (Z_PK, Z_ENT, Z_OPT, ZCONTAINSCJK, ZCONTENTTYPE, "
                       "ZDELETEDFLAG, ZINTEGERID, ZBODY, ZSTORE, ZCREATIONDATE, "
                       "ZMODIFICATIONDATE, ZGUID, ZSUMMARY, ZTITLE) VALUES "
                       "(?, 3, 1, 0, 0, 0, ?, ?, 1, ?, ?, ?, ?, ?);");
  SqlStatement body(db,
                    "INSERT INTO ZNOTEBODY (Z_PK, Z_ENT, Z_OPT, ZOWNER, ZCONTENT) VALUES "
                    "(?, 2, 1, ?, ?);");
  for (size_t i = 0; i < notes.size(); ++i) {
    const SampleNote& entry = notes[i];
    const int64_t pk = static_cast<int64_t>(i) + 1;
    // Older devices kept the whole note as HTML, its title as the first line; the edge cases
    // keep their snippet's text as it is.
    std::optional<std::string> content;
    if (entry.text && !entry.text->empty()) {
      content = NoteHtml(*entry.text);
    } else if (entry.snippet) {
      content = entry.title && !entry.title->empty()
                    ? "<div>" + *entry.title + "</div><div>" + *entry.snippet + "</div>"
                    : *entry.snippet;
    }
    noteRow.Run({pk, 1000 + pk, content ? SqlValue(pk) : SqlValue(), entry.created,
                 entry.created + 600, UpperUuid(pk, 0x01D), entry.snippet, entry.title});
    if (content) {
      body.Run({pk, pk, content});
    }
  }
  db.Exec(
      "INSERT INTO Z_PRIMARYKEY VALUES (1, 'Account', 0, 1), (2, 'NoteBody', 0, (SELECT count(*) "
      "FROM ZNOTEBODY)), (3, 'Note', 0, (SELECT count(*) FROM ZNOTE)), (4, 'Store', 0, 1);"
      "INSERT INTO Z_METADATA VALUES (1, 'C3E5A7B9-2D4F-4B6C-8E0A-3F5D7B9C1E2A', NULL);");
  db.Exec("COMMIT;");
  return db.Bytes();
}

void AddNotesDatabase(SampleBackup& backup, const NotesSample& sample) {
  backup.AddFile("AppDomainGroup-group.com.apple.notes", "NoteStore.sqlite",
                 MakeNotesDatabase(sample));
}

void AddOldNotesDatabase(SampleBackup& backup, const NotesSample& sample) {
  backup.AddFile("HomeDomain", "Library/Notes/notes.sqlite", MakeOldNotesDatabase(sample));
}

}  // namespace zbe::mkbackup
