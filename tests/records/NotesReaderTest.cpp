#include "records/NotesReader.h"

#include <gtest/gtest.h>

#include "backup/ResultCodes.h"
#include "records/NoteTextDecoding.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"

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
  ASSERT_EQ(ReadOldNotesDatabase(Old(), notes), kResultOk);
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
  EXPECT_EQ(ReadOldNotesDatabase(Old(), notes), SQLITE_CANTOPEN);
  EXPECT_FALSE(std::filesystem::exists(Old()));
  WriteDatabase(Old(), "CREATE TABLE ZNOTE (Z_PK INTEGER PRIMARY KEY);");
  EXPECT_EQ(ReadOldNotesDatabase(Old(), notes), kResultQueryFailed);
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
  ASSERT_EQ(ReadNotesDatabase(New(), notes), kResultOk);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].title, "Tom & Jerry");
  EXPECT_EQ(notes[0].date, "2020-01-06 10:40:00");
  EXPECT_EQ(notes[1].title, "Locked 🔒");
  EXPECT_EQ(notes[1].date, "2001-01-01 00:01:40");
  EXPECT_EQ(notes[2].title, "First");
  EXPECT_EQ(notes[2].body, "line1\nline2<BR>line3");
  EXPECT_EQ(notes[3].body, "\nx");
  EXPECT_EQ(notes[3].date, "");  // ZCREATIONDATE is what dates a note
}

TEST_F(NotesReaderTest, NewerDatabaseSortsTheListEvenWhenItFails) {
  NoteList notes = {{"2019-01-01 00:00:00", "older", ""}, {"2020-01-01 00:00:00", "newer", ""}};
  EXPECT_EQ(ReadNotesDatabase(New(), notes), SQLITE_CANTOPEN);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].title, "newer");
  test::WriteFile(New(), "not a database, not even close");
  EXPECT_EQ(ReadNotesDatabase(New(), notes), kResultQueryFailed);
  EXPECT_EQ(notes.size(), 2u);
}

}  // namespace
}  // namespace zbe
