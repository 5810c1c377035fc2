#include "records/NotesReader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "records/NoteData.h"
#include "records/NoteTextDecoding.h"
#include "records/ResultCodes.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/NoteDataArchive.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteDatabase;

TEST(NoteTextDecoding, DecodesEntitiesBeforeTagsAndNeverTwice) {
  EXPECT_EQ(DecodeNoteText("a&amp;lt;b"), "a&lt;b");
  EXPECT_EQ(DecodeNoteText("&lt;div&gt;x&lt;/div&gt;"), "\nx");
  EXPECT_EQ(DecodeNoteText("line1<br>line2<BR>line3"), "line1\nline2<BR>line3");
  EXPECT_EQ(DecodeNoteText("Tom &amp; Jerry"), "Tom & Jerry");
  EXPECT_EQ(DecodeNoteText("it&#39;s &quot;ok&quot;&nbsp;&gt;&lt;"), "it's \"ok\" ><");
  EXPECT_EQ(DecodeNoteText("<div>a</div><div>b</div>"), "\na\nb");
  EXPECT_EQ(DecodeNoteText("&amp;amp; &AMP; &copy; <p>x</p> &lt"),
            "&amp; &AMP; &copy; <p>x</p> &lt");
  EXPECT_EQ(DecodeNoteText("&lt;br&gt;"), "\n");
  EXPECT_EQ(DecodeNoteText("</div>"), "");
  EXPECT_EQ(DecodeNoteText("Zoë 🌸 / ½"), "Zoë 🌸 / ½");
  EXPECT_EQ(DecodeNoteText(""), "");
}

constexpr const char* kOldSchema =
    "CREATE TABLE ZNOTE ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZBODY INTEGER, "
    "ZCREATIONDATE TIMESTAMP, ZMODIFICATIONDATE TIMESTAMP, ZSUMMARY VARCHAR, ZTITLE VARCHAR );"
    "CREATE TABLE ZNOTEBODY ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZOWNER "
    "INTEGER, ZCONTENT VARCHAR );";

constexpr const char* kNewSchema =
    "CREATE TABLE ZICCLOUDSYNCINGOBJECT ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, ZCREATIONDATE "
    "TIMESTAMP, ZCREATIONDATE1 TIMESTAMP, ZCREATIONDATE3 TIMESTAMP, ZSNIPPET VARCHAR, ZTITLE1 "
    "VARCHAR, ZTITLE2 VARCHAR );";

class NotesReaderTest : public ::testing::Test {
 protected:
  std::string Old() const { return temp_ / "notes.sqlite"; }
  std::string New() const { return temp_ / "NoteStore.sqlite"; }

  TempFolder temp_;
  test::ScopedEnv tz_{"TZ", "XXX-1"};  // one hour east of UTC, no daylight saving
};

TEST_F(NotesReaderTest, OlderDatabaseGivesLocalDatesNewestFirst) {
  WriteDatabase(Old(),
                std::string(kOldSchema) +
                    "INSERT INTO ZNOTEBODY VALUES (1, 2, 1, 1, '<div>Tom &amp; Jerry</div>'),"
                    "(2, 2, 1, 2, 'a&amp;lt;b'), (3, 2, 1, 3, '</div>'), (4, 2, 1, 4, '');"
                    "INSERT INTO ZNOTE (Z_PK, ZBODY, ZCREATIONDATE, ZTITLE) VALUES "
                    "(1, 1, 0, 'Tom &amp; Jerry'), (2, 2, 600000000.9, 'Less'),"
                    "(3, 3, 300000000, NULL), (4, 4, 400000000, ''), (5, NULL, NULL, 'No body'),"
                    "(6, 99, 500000000, NULL);");
  NoteList notes(4);
  ASSERT_EQ(ReadOldNotesDatabase(Old(), notes), Result::Ok());
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].date, "2020-01-06 11:40:00");
  EXPECT_EQ(notes[0].title, "Less");
  EXPECT_EQ(notes[0].body, "a&lt;b");
  EXPECT_EQ(notes[1].date, "2010-07-05 06:20:00");
  EXPECT_EQ(notes[1].title, "");
  EXPECT_EQ(notes[1].body, "");  // a lone closing div: delivered, and empty after decoding
  EXPECT_EQ(notes[2].date, "2001-01-01 01:00:00");  // the reference date, one hour east
  EXPECT_EQ(notes[2].title, "Tom & Jerry");
  EXPECT_EQ(notes[2].body, "\nTom & Jerry");
  EXPECT_EQ(notes[3].date, "");  // undated notes end last
  EXPECT_EQ(notes[3].title, "No body");
}

TEST_F(NotesReaderTest, OlderDatabaseFailuresLeaveTheListAsItWas) {
  NoteList notes(1);
  notes[0].date = "2000-01-01 00:00:00";
  notes.push_back(NoteRecord{"2020-01-01 00:00:00", "later", ""});
  EXPECT_EQ(ReadOldNotesDatabase(Old(), notes), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_FALSE(std::filesystem::exists(Old()));
  WriteDatabase(Old(), "CREATE TABLE ZNOTE (Z_PK INTEGER PRIMARY KEY);");
  EXPECT_EQ(ReadOldNotesDatabase(Old(), notes), Result(kQueryFailed));
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1].title, "later");  // not sorted after a failed query
}

TEST_F(NotesReaderTest, NewerDatabaseGivesTitlesSnippetsAndUtcDates) {
  WriteDatabase(New(), std::string(kNewSchema) +
                           "INSERT INTO ZICCLOUDSYNCINGOBJECT (Z_PK, Z_ENT, ZCREATIONDATE, "
                           "ZCREATIONDATE1, ZTITLE1, ZSNIPPET, ZTITLE2) VALUES "
                           "(1, 14, NULL, NULL, NULL, NULL, 'Notes'),"
                           "(2, 11, 0, 0, 'First', 'line1<br>line2<BR>line3', NULL),"
                           "(3, 11, 600000000, 600000000, 'Tom &amp; Jerry', NULL, NULL),"
                           "(4, 11, NULL, 700000000, NULL, '&lt;div&gt;x&lt;/div&gt;', NULL),"
                           "(5, 11, 650000000, 650000000, '', '', NULL),"
                           "(6, 11, 100, 100, 'Locked 🔒', NULL, NULL);");
  NoteList notes;
  ASSERT_EQ(ReadNotesDatabase(New(), notes), Result::Ok());
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].body, "\nx");
  EXPECT_EQ(notes[0].date, "2023-03-08 20:26:40");  // from ZCREATIONDATE1
  EXPECT_EQ(notes[1].title, "Tom & Jerry");
  EXPECT_EQ(notes[1].date, "2020-01-06 10:40:00");
  EXPECT_EQ(notes[2].title, "Locked 🔒");  // no column says it is locked
  EXPECT_EQ(notes[2].date, "2001-01-01 00:01:40");
  EXPECT_EQ(notes[3].title, "First");
  EXPECT_EQ(notes[3].body, "line1\nline2<BR>line3");
}

// A store of iOS 14 and later: note data, entity numbers, and dates in ZCREATIONDATE3.
constexpr const char* kNoteStoreSchema =
    "CREATE TABLE ZICCLOUDSYNCINGOBJECT ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, "
    "ZISPASSWORDPROTECTED INTEGER, ZNOTEDATA INTEGER, ZCREATIONDATE TIMESTAMP, ZCREATIONDATE1 "
    "TIMESTAMP, ZCREATIONDATE3 TIMESTAMP, ZSNIPPET VARCHAR, ZTITLE1 VARCHAR, ZTITLE2 VARCHAR );"
    "CREATE TABLE ZICNOTEDATA ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, ZNOTE INTEGER, ZDATA "
    "BLOB );"
    "CREATE TABLE Z_PRIMARYKEY (Z_ENT INTEGER PRIMARY KEY, Z_NAME VARCHAR, Z_SUPER INTEGER, Z_MAX "
    "INTEGER);"
    "INSERT INTO Z_PRIMARYKEY VALUES (12, 'ICNote', 3, 0), (15, 'ICFolder', 13, 0), "
    "(19, 'ICNoteData', 0, 0);";

// A blob literal of "bytes".
std::string SqlBlob(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string blob = "X'";
  for (unsigned char byte : bytes) {
    blob += kHex[byte >> 4];
    blob += kHex[byte & 0xF];
  }
  return blob + "'";
}

TEST_F(NotesReaderTest, NewerStoreGivesFullTextsDatesOfAnyColumnAndNoFolders) {
  const std::string full = "Groceries\neggs, milk & flour\n\n\xEF\xBF\xBC\nTom &amp; Jerry";
  const std::string data = mkbackup::NoteDataArchive(full);
  WriteDatabase(
      New(), std::string(kNoteStoreSchema) + "INSERT INTO ZICNOTEDATA (Z_PK, ZDATA) VALUES (1, " +
                 SqlBlob(data) +
                 "), "
                 "(2, X'62706C6973743030AB'), (3, NULL), (4, " +
                 SqlBlob(data.substr(0, 30)) + "), (5, " + SqlBlob(mkbackup::NoteDataArchive("")) +
                 ");"
                 "INSERT INTO ZICCLOUDSYNCINGOBJECT (Z_PK, Z_ENT, ZISPASSWORDPROTECTED, "
                 "ZNOTEDATA, ZCREATIONDATE, ZCREATIONDATE1, ZCREATIONDATE3, ZTITLE1, ZSNIPPET, "
                 "ZTITLE2) VALUES "
                 "(1, 15, NULL, NULL, NULL, NULL, 100, 'A folder row', 'with a snippet', "
                 "'Notes'),"
                 "(2, 12, 0, 1, NULL, NULL, 700000000.5, 'Groceries', 'eggs, milk &amp; flour', "
                 "NULL),"
                 "(3, 12, 1, 2, NULL, NULL, 600000000, 'Bank', NULL, NULL),"
                 "(4, 12, 0, 3, 500000000, 500000000, 500000000, 'No data', 'a&amp;lt;b', NULL),"
                 "(5, 12, 0, 4, NULL, NULL, 650000000, 'Cut data', 'line1<br>line2', NULL),"
                 "(6, 12, 0, 5, NULL, NULL, 550000000, NULL, NULL, NULL),"
                 "(7, 12, 1, 2, NULL, NULL, 560000000, NULL, NULL, NULL);");
  NoteList notes;
  ASSERT_EQ(ReadNotesDatabase(New(), notes), Result::Ok());
  std::vector<std::string> seen;
  for (const NoteRecord& note : notes) {
    seen.push_back(note.date + " " + note.title + ": " + note.body);
  }
  // Newest first, by whichever column dates a note; the full text is plain, never decoded; a
  // locked note says so, with or without its title; without readable data, the snippet; a note
  // whose text is empty and has no title is left out.
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "2023-03-08 20:26:40 Groceries: " + full,
                      "2021-08-07 03:33:20 Cut data: line1\nline2",
                      "2020-01-06 10:40:00 Bank: This note is locked.",
                      "2018-09-30 11:33:20 : This note is locked.",
                      "2016-11-05 00:53:20 No data: a&lt;b",
                  }));
}

TEST_F(NotesReaderTest, NewerStoreWithoutTheNewerColumnsIsReadAsBefore) {
  // No note data, no lock, no ZCREATIONDATE3, no entity table: titles, snippets, the older date.
  WriteDatabase(New(),
                "CREATE TABLE ZICCLOUDSYNCINGOBJECT ( Z_PK INTEGER PRIMARY KEY, ZCREATIONDATE "
                "TIMESTAMP, ZSNIPPET VARCHAR, ZTITLE1 VARCHAR );"
                "INSERT INTO ZICCLOUDSYNCINGOBJECT VALUES (1, 0, 'x&amp;y', 'T'), "
                "(2, NULL, NULL, NULL);");
  NoteList notes;
  ASSERT_EQ(ReadNotesDatabase(New(), notes), Result::Ok());
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].date, "2001-01-01 00:00:00");
  EXPECT_EQ(notes[0].body, "x&y");
  // Without the title column, as the query always did, it fails.
  WriteDatabase(temp_ / "other.sqlite",
                "CREATE TABLE ZICCLOUDSYNCINGOBJECT ( Z_PK INTEGER PRIMARY KEY, ZSNIPPET TEXT );");
  EXPECT_EQ(ReadNotesDatabase(temp_ / "other.sqlite", notes), Result(kQueryFailed));
  EXPECT_EQ(notes.size(), 1u);
}

TEST(NoteData, GivesTheTextOfWholeGzipDataOnly) {
  const std::string text = "Title\nline ✓\n\xEF\xBF\xBC";
  const std::string data = mkbackup::NoteDataArchive(text);
  EXPECT_EQ(NoteDataText(data), text);
  EXPECT_EQ(NoteDataText(mkbackup::NoteDataArchive("")), "");
  EXPECT_EQ(NoteDataText(""), std::nullopt);
  EXPECT_EQ(NoteDataText("bplist00 encrypted"), std::nullopt);
  for (size_t cut : {2u, 10u, 20u}) {
    EXPECT_EQ(NoteDataText(data.substr(0, data.size() - cut)), std::nullopt) << cut;
  }
  std::string damaged = data;
  damaged[data.size() / 2] = static_cast<char>(damaged[data.size() / 2] ^ 0x55);
  EXPECT_EQ(NoteDataText(damaged), std::nullopt);
}

TEST(NoteData, RefusesDataThatInflatesBeyondItsLimit) {
  // Compressed, a few hundred kilobytes; inflated, one mebibyte more than the limit.
  std::string mebibyte(1 << 20, 'x');
  z_stream stream{};
  ASSERT_EQ(deflateInit2(&stream, 1, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string gzip(1 << 20, '\0');
  stream.next_out = reinterpret_cast<Bytef*>(gzip.data());
  stream.avail_out = static_cast<uInt>(gzip.size());
  for (uint64_t written = 0; written <= kMaxNoteDataBytes; written += mebibyte.size()) {
    stream.next_in = reinterpret_cast<Bytef*>(mebibyte.data());
    stream.avail_in = static_cast<uInt>(mebibyte.size());
    ASSERT_EQ(deflate(&stream, Z_NO_FLUSH), Z_OK);
  }
  ASSERT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  gzip.resize(stream.total_out);
  deflateEnd(&stream);
  EXPECT_EQ(NoteDataText(gzip), std::nullopt);
}

TEST_F(NotesReaderTest, NewerDatabaseSortsTheListEvenWhenItFails) {
  NoteList notes = {{"2019-01-01 00:00:00", "older", ""}, {"2020-01-01 00:00:00", "newer", ""}};
  EXPECT_EQ(ReadNotesDatabase(New(), notes), Result::Sqlite(SQLITE_CANTOPEN));
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].title, "newer");
  test::WriteFile(New(), "not a database, not even close");
  EXPECT_EQ(ReadNotesDatabase(New(), notes), Result(kQueryFailed));
  EXPECT_EQ(notes.size(), 2u);
}

}  // namespace
}  // namespace zbe
