// The record reads of the parser over whole sample backups: which stored databases they read,
// the progress they report, what they return, and that the backup stays untouched.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "backup/CBackupParser.h"
#include "records/ResultCodes.h"
#include "support/ProgressReports.h"
#include "support/RecordDatabases.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;

constexpr int64_t kJan2020 = 1580512205;  // 2020-01-31T23:10:05Z

using Progress = test::ProgressReports;

// What the five record reads gave.
struct RecordReads {
  int32_t messages = -1, contacts = -1, calls = -1, notes = -1, whatsApp = -1;
  MessageThreadMap threads;
  ContactList contactList;
  CallList callList;
  NoteList noteList;
  WhatsAppThreadMap chats;
};

class ParserRecordsTest : public ::testing::Test {
 protected:
  static mkbackup::SampleOptions Options() {
    mkbackup::SampleOptions options;
    options.lastBackupDate = kJan2020;
    return options;
  }

  // Writes a sample backup into the MobileSync root and returns its folder.
  std::string AddBackup(const std::string& id, const mkbackup::SampleBackup& sample,
                        mkbackup::ManifestLayout layout = mkbackup::ManifestLayout::kDatabase) {
    std::string folder = test::MobileSyncRootIn(home_.path()) + "/" + id;
    test::WriteSample(sample, folder, layout);
    return folder;
  }

  // Selects and opens "folder" in "parser".
  void Open(CBackupParser& parser, const std::string& folder) {
    BackupSummary summary;
    ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
    parser.SetBackup(summary);
    ASSERT_EQ(parser.Open(""), kResultOk);
  }

  static RecordReads ReadAll(CBackupParser& parser) {
    RecordReads reads;
    reads.messages = parser.ReadMessages(reads.threads);
    reads.contacts = parser.ReadContacts(reads.contactList);
    reads.calls = parser.ReadCallHistory(reads.callList);
    reads.notes = parser.ReadNotes(reads.noteList);
    reads.whatsApp = parser.ReadWhatsApp(reads.chats);
    return reads;
  }

  // The bytes of a database made by running "sql".
  std::string DatabaseBytes(const std::string& sql) {
    std::string path = scratch_ / ("db" + std::to_string(++scratchCount_));
    test::WriteDatabase(path, sql);
    return ReadFile(path);
  }

  TempFolder home_;
  TempFolder scratch_;
  int scratchCount_ = 0;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
};

TEST_F(ParserRecordsTest, ReadsEveryCategoryWithItsProgressSteps) {
  std::string folder = AddBackup("full", mkbackup::MakeSampleBackup(Options()));
  CBackupParser parser;
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  Open(parser, folder);
  ASSERT_EQ(progress.reports, (std::vector<int32_t>{0, 1, 12}));
  RecordReads reads = ReadAll(parser);
  // Messages: the reader's own P + S/5, P + S/4 and P + S; then S/2 more without a report.
  // Contacts, calls and notes: S/2 each; WhatsApp: S.
  EXPECT_EQ(progress.reports, (std::vector<int32_t>{0, 1, 12, 14, 14, 23, 22, 27, 32, 43}));
  EXPECT_EQ(parser.runningProgress(), 43);
  EXPECT_EQ(reads.messages, kResultOk);
  EXPECT_EQ(reads.contacts, kResultOk);
  EXPECT_EQ(reads.calls, kResultOk);
  EXPECT_EQ(reads.notes, kResultOk);  // the newer database's: the older one is absent
  EXPECT_EQ(reads.whatsApp, kResultOk);
  EXPECT_GT(reads.threads.size(), 5u);
  EXPECT_GT(reads.contactList.size(), 30u);
  EXPECT_GT(reads.callList.size(), 40u);
  EXPECT_GT(reads.noteList.size(), 30u);
  EXPECT_GT(reads.chats.size(), 5u);
}

TEST_F(ParserRecordsTest, AStopAnswerEndsTheReadsThatHeedIt) {
  std::string folder = AddBackup("full", mkbackup::MakeSampleBackup(Options()));
  CBackupParser parser;
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  Open(parser, folder);
  progress.answer = 2;
  RecordReads reads = ReadAll(parser);
  EXPECT_EQ(reads.messages, kResultStopped);
  EXPECT_TRUE(reads.threads.empty());
  // The final reports of contacts, calls and notes are not heeded.
  EXPECT_EQ(reads.contacts, kResultOk);
  EXPECT_EQ(reads.calls, kResultOk);
  EXPECT_EQ(reads.notes, kResultOk);
  EXPECT_EQ(reads.whatsApp, kResultStopped);
  EXPECT_FALSE(reads.chats.empty());  // read before the report
}

TEST_F(ParserRecordsTest, WithoutACallbackTheReadersResultsStand) {
  mkbackup::SampleOptions options = Options();
  options.contactsLayout = 2;
  std::string folder = AddBackup("older layout", mkbackup::MakeSampleBackup(options));
  CBackupParser parser;
  Open(parser, folder);
  RecordReads reads = ReadAll(parser);
  EXPECT_EQ(reads.messages, kResultQueryFailed);  // the first address-book layout was refused
  EXPECT_EQ(reads.contacts, kResultQueryFailed);
  EXPECT_EQ(reads.calls, kResultQueryFailed);
  EXPECT_EQ(reads.whatsApp, kResultOk);
  EXPECT_GT(reads.contactList.size(), 30u);
  bool named = false;
  for (const CallRecord& call : reads.callList) {
    named = named || (call.address == "12345" && call.contactName == "FrankBell");
  }
  EXPECT_TRUE(named);
  // Without its chat database WhatsApp gives SQLite's code for a missing file, also when a
  // callback answers "go on".
  mkbackup::SampleOptions bare = Options();
  bare.recordDatabases = false;
  std::string empty = AddBackup("bare", mkbackup::MakeSampleBackup(bare));
  Open(parser, empty);
  Progress progress;
  parser.SetProgressCallback(Progress::Callback, &progress);
  WhatsAppThreadMap chats;
  EXPECT_EQ(parser.ReadWhatsApp(chats), SQLITE_CANTOPEN);
  EXPECT_TRUE(chats.empty());
}

TEST_F(ParserRecordsTest, ReadsTheOlderCallDatabaseOnlyWithoutTheNewer) {
  mkbackup::SampleOptions options = Options();
  options.oldCalls = true;
  std::string older = AddBackup("older", mkbackup::MakeSampleBackup(options));
  CBackupParser parser;
  Open(parser, older);
  CallList calls;
  EXPECT_EQ(parser.ReadCallHistory(calls), kResultOk);
  EXPECT_GT(calls.size(), 40u);

  // Both databases: the newer one is read, the older ignored.
  mkbackup::SampleBackup both = mkbackup::MakeSampleBackup(Options());
  both.AddFile("WirelessDomain", "Library/CallHistory/call_history.db",
               DatabaseBytes("CREATE TABLE call (ROWID INTEGER PRIMARY KEY, address TEXT, date "
                             "INTEGER, duration INTEGER, flags INTEGER);"
                             "INSERT INTO call VALUES (1, 'only in the older', 0, 1, 4);"));
  Open(parser, AddBackup("both", both));
  calls.clear();
  EXPECT_EQ(parser.ReadCallHistory(calls), kResultOk);
  EXPECT_GT(calls.size(), 40u);
  for (const CallRecord& call : calls) {
    EXPECT_NE(call.address, "only in the older");
  }
  // The older database alone, with that one call.
  mkbackup::SampleOptions bare = Options();
  bare.recordDatabases = false;
  mkbackup::SampleBackup onlyOlder = mkbackup::MakeSampleBackup(bare);
  onlyOlder.AddFile("WirelessDomain", "Library/CallHistory/call_history.db",
                    ReadFile(parser.StoredFilePath(kOldCallHistoryHashedName)));
  Open(parser, AddBackup("only older", onlyOlder));
  EXPECT_EQ(parser.ReadCallHistory(calls), SQLITE_CANTOPEN);  // no address book
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].address, "only in the older");
  EXPECT_EQ(calls[0].date, "1970-01-01 00:00:00");
}

TEST_F(ParserRecordsTest, ReadsTheOlderNotesFirstAndTheNewerOnlyWhenItGaveNone) {
  constexpr const char* kOlderNotes =
      "CREATE TABLE ZNOTE ( Z_PK INTEGER PRIMARY KEY, ZBODY INTEGER, ZCREATIONDATE TIMESTAMP, "
      "ZTITLE VARCHAR );"
      "CREATE TABLE ZNOTEBODY ( Z_PK INTEGER PRIMARY KEY, ZCONTENT VARCHAR );";
  // Both databases, the older with a note: only the older one's note.
  mkbackup::SampleBackup both = mkbackup::MakeSampleBackup(Options());
  both.AddFile("HomeDomain", "Library/Notes/notes.sqlite",
               DatabaseBytes(std::string(kOlderNotes) +
                             "INSERT INTO ZNOTE VALUES (1, NULL, 0, 'From the older');"));
  CBackupParser parser;
  Open(parser, AddBackup("both", both));
  NoteList notes;
  EXPECT_EQ(parser.ReadNotes(notes), kResultOk);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].title, "From the older");

  // An older database without notes: the newer one's notes.
  mkbackup::SampleBackup emptyOlder = mkbackup::MakeSampleBackup(Options());
  emptyOlder.AddFile("HomeDomain", "Library/Notes/notes.sqlite", DatabaseBytes(kOlderNotes));
  Open(parser, AddBackup("empty older", emptyOlder));
  notes.clear();
  EXPECT_EQ(parser.ReadNotes(notes), kResultOk);
  EXPECT_GT(notes.size(), 30u);

  // Only the older database, as mkbackup --old-notes writes it.
  mkbackup::SampleOptions options = Options();
  options.oldNotes = true;
  Open(parser, AddBackup("older", mkbackup::MakeSampleBackup(options)));
  notes.clear();
  EXPECT_EQ(parser.ReadNotes(notes), kResultOk);
  EXPECT_GT(notes.size(), 30u);
  bool decoded = false;
  for (const NoteRecord& note : notes) {
    decoded = decoded || (note.title == "Tom & Jerry" && note.body == "\nTom & Jerry\na&lt;b");
  }
  EXPECT_TRUE(decoded);
  // Neither database: the newer reader's code for a missing file.
  mkbackup::SampleOptions bare = Options();
  bare.recordDatabases = false;
  Open(parser, AddBackup("bare", mkbackup::MakeSampleBackup(bare)));
  notes.clear();
  EXPECT_EQ(parser.ReadNotes(notes), SQLITE_CANTOPEN);
}

TEST_F(ParserRecordsTest, OpenEmptiesTheThreadsItKeepsForTheCaller) {
  std::string folder = AddBackup("full", mkbackup::MakeSampleBackup(Options()));
  CBackupParser parser;
  Open(parser, folder);
  RecordReads first = ReadAll(parser);
  Open(parser, folder);
  RecordReads second = ReadAll(parser);
  ASSERT_EQ(first.threads.size(), second.threads.size());
  for (const auto& [handle, messages] : first.threads) {
    EXPECT_EQ(second.threads.at(handle).size(), messages.size());
  }
  ASSERT_EQ(first.chats.size(), second.chats.size());
  for (const auto& [chat, messages] : first.chats) {
    EXPECT_EQ(second.chats.at(chat).size(), messages.size());
  }
}

TEST_F(ParserRecordsTest, ADamagedDatabaseGivesItsCodeAndTheOthersStillRead) {
  const std::string damage = std::string(100, '\0') + std::string(3000, 'x');
  struct Case {
    std::string_view hashedName;
    std::string name;
  };
  for (const Case& broken :
       {Case{kMessagesHashedName, "messages"}, Case{kAddressBookHashedName, "contacts"},
        Case{kCallHistoryHashedName, "calls"}, Case{kNotesHashedName, "notes"},
        Case{"", "whatsapp"}}) {
    SCOPED_TRACE(broken.name);
    std::string folder = AddBackup(broken.name, mkbackup::MakeSampleBackup(Options()));
    CBackupParser parser;
    Open(parser, folder);
    std::string stored = broken.hashedName.empty() ? parser.FindWhatsAppDatabases().chatDatabase
                                                   : parser.StoredFilePath(broken.hashedName);
    ASSERT_TRUE(std::filesystem::exists(stored));
    test::WriteFile(stored, damage);
    RecordReads reads = ReadAll(parser);
    bool addressBook = broken.name == "contacts";
    EXPECT_EQ(reads.messages,
              broken.name == "messages" || addressBook ? kResultQueryFailed : kResultOk);
    EXPECT_EQ(reads.threads.empty(), broken.name == "messages");
    EXPECT_EQ(reads.contacts, addressBook ? kResultQueryFailed : kResultOk);
    EXPECT_EQ(reads.contactList.empty(), addressBook);
    EXPECT_EQ(reads.calls, broken.name == "calls" || addressBook ? kResultQueryFailed : kResultOk);
    EXPECT_EQ(reads.callList.empty(), broken.name == "calls");
    EXPECT_EQ(reads.notes, broken.name == "notes" ? kResultQueryFailed : kResultOk);
    EXPECT_EQ(reads.noteList.empty(), broken.name == "notes");
    EXPECT_EQ(reads.whatsApp, broken.name == "whatsapp" ? kResultQueryFailed : kResultOk);
    EXPECT_EQ(reads.chats.empty(), broken.name == "whatsapp");
    // A missing database gives SQLite's code for it.
    std::filesystem::remove(stored);
    RecordReads missing = ReadAll(parser);
    if (broken.name == "calls") {
      EXPECT_EQ(missing.calls, SQLITE_CANTOPEN);  // the older database is tried, and missing
    }
    if (broken.name == "whatsapp") {
      EXPECT_EQ(missing.whatsApp, SQLITE_CANTOPEN);
    }
  }
}

TEST_F(ParserRecordsTest, ReadsTheFlatLayoutOfAManifestMbdbBackup) {
  std::string folder =
      AddBackup("mbdb", mkbackup::MakeSampleBackup(Options()), mkbackup::ManifestLayout::kMbdb);
  CBackupParser parser;
  Open(parser, folder);
  RecordReads reads = ReadAll(parser);
  EXPECT_EQ(reads.messages, kResultOk);
  EXPECT_EQ(reads.contacts, kResultOk);
  EXPECT_EQ(reads.calls, kResultOk);
  EXPECT_EQ(reads.notes, kResultOk);
  EXPECT_EQ(reads.whatsApp, kResultOk);
  EXPECT_FALSE(reads.threads.empty() || reads.contactList.empty() || reads.callList.empty() ||
               reads.noteList.empty() || reads.chats.empty());
}

TEST_F(ParserRecordsTest, ReadingTheRecordsChangesNothingInTheBackup) {
  std::string folder = AddBackup("full", mkbackup::MakeSampleBackup(Options()));
  test::FolderSnapshot before = test::SnapshotFolder(folder);
  CBackupParser parser;
  Open(parser, folder);
  ReadAll(parser);
  EXPECT_EQ(test::SnapshotFolder(folder), before);
}

}  // namespace
}  // namespace zbe
