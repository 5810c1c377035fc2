// Real iOS databases, placed into a temporary backup under their stored names, read through the
// parser. The expected values were worked out from the databases with the sqlite3 shell.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <set>

#include "backup/CBackupParser.h"
#include "records/ResultCodes.h"
#include "records/WhatsAppTables.h"
#include "support/RecordDatabases.h"
#include "support/SampleBackups.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/SampleMediaFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;

const std::string kDatabases = std::string(ZBE_REALDATA_DIR) + "/databases";

// One real database and where a backup keeps it.
struct RealDatabase {
  std::string file;  // below kDatabases
  std::string domain;
  std::string relativePath;
};

const RealDatabase kIos15AddressBook{"AddressBook-ios15.sqlitedb", "HomeDomain",
                                     "Library/AddressBook/AddressBook.sqlitedb"};
const RealDatabase kCtfAddressBook{"AddressBook-ctf.sqlitedb", "HomeDomain",
                                   "Library/AddressBook/AddressBook.sqlitedb"};
const RealDatabase kLegacyAddressBook{"AddressBook-legacy-layout-empty.sqlitedb", "HomeDomain",
                                      "Library/AddressBook/AddressBook.sqlitedb"};
const RealDatabase kChatStorage{"ChatStorage-ios15.sqlite",
                                "AppDomainGroup-group.net.whatsapp.WhatsApp.shared",
                                "ChatStorage.sqlite"};
const RealDatabase kNoteStore{"NoteStore-ios17.sqlite", "AppDomainGroup-group.com.apple.notes",
                              "NoteStore.sqlite"};
const RealDatabase kLegacyNotes{"notes-legacy-empty.sqlite", "HomeDomain",
                                "Library/Notes/notes.sqlite"};

class RealRecordDatabasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kDatabases + "/" + kIos15AddressBook.file)) {
      GTEST_SKIP() << "real sample data not found at " << kDatabases;
    }
  }

  // Opens a backup that holds copies of "databases" and nothing else of the records, and the
  // files that "addFiles" (when given) adds.
  void OpenBackupWith(const std::vector<RealDatabase>& databases,
                      const std::function<void(mkbackup::SampleBackup&)>& addFiles = {}) {
    mkbackup::SampleOptions options;
    options.recordDatabases = false;
    mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup(options);
    for (const RealDatabase& database : databases) {
      sample.AddFile(database.domain, database.relativePath,
                     ReadFile(kDatabases + "/" + database.file));
    }
    if (addFiles) {
      addFiles(sample);
    }
    std::string folder = home_ / ("backup" + std::to_string(++backups_));
    test::WriteSample(sample, folder);
    BackupSummary summary;
    ASSERT_EQ(parser_.ReadBackupSummary(folder, summary), kResultOk);
    parser_.SetBackup(summary);
    ASSERT_EQ(parser_.Open(""), kResultOk);
  }

  TempFolder home_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", home_.path().c_str()};
  ScopedEnv tz_{"TZ", "UTC"};
  CBackupParser parser_;
  int backups_ = 0;
};

TEST_F(RealRecordDatabasesTest, AddressBookOfTheFirstLayout) {
  OpenBackupWith({kIos15AddressBook});
  ContactList contacts;
  ASSERT_EQ(parser_.ReadContacts(contacts), kResultOk);
  // Nine people; three without a phone number are left out.
  std::vector<std::string> names;
  for (const ContactRecord& contact : contacts) {
    names.push_back(contact.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"JoshHickman", "Liz", "No Name", "This IsDFIR Two",
                                             "This IsDFIR Two", "ThomDe'Fer"}));
  EXPECT_EQ(contacts[0].phone,
            "(919) 579-0479 +19195790479 01119195790479 0019195790479 19195790479 9195790479 "
            "5790479 (919) 391-2507 +19193912507 01119193912507 0019193912507 19193912507 "
            "9193912507 3912507 ");
  EXPECT_EQ(contacts[0].email, "joshuahickman957@gmail.com");
  EXPECT_EQ(contacts[2].company, "Apple Inc.");
  EXPECT_EQ(contacts[2].url, "http://www.apple.com");
  EXPECT_EQ(contacts[3].email, "thisisdfirtwo@gmail.com");
}

TEST_F(RealRecordDatabasesTest, AddressBookWhosePersonHasNoPhone) {
  OpenBackupWith({kCtfAddressBook});
  ContactList contacts(1);
  EXPECT_EQ(parser_.ReadContacts(contacts), kResultOk);
  EXPECT_TRUE(contacts.empty());
}

TEST_F(RealRecordDatabasesTest, AddressBookOfTheSecondLayout) {
  OpenBackupWith({kLegacyAddressBook});
  ContactList contacts;
  EXPECT_EQ(parser_.ReadContacts(contacts), kResultQueryFailed);
  EXPECT_TRUE(contacts.empty());
}

TEST_F(RealRecordDatabasesTest, WhatsAppChatsWithTheirMembers) {
  OpenBackupWith({kChatStorage});
  WhatsAppThreadMap chats;
  ASSERT_EQ(parser_.ReadWhatsApp(chats), kResultOk);
  // The four group chats hold only messages without text and without titled media.
  ASSERT_EQ(chats.size(), 1u);
  const std::vector<WhatsAppMessage>& chat = chats.at(5);
  ASSERT_EQ(chat.size(), 15u);
  EXPECT_EQ(chat.front().messageId, 12);
  EXPECT_EQ(chat.front().date, "2023-05-02 15:56:47");
  EXPECT_EQ(chat.front().text, "I’m here!");
  EXPECT_EQ(chat.front().senderName, "Me");
  EXPECT_EQ(chat.front().pushName, "");
  EXPECT_EQ(chat.back().messageId, 29);
  EXPECT_EQ(chat.back().date, "2023-05-02 16:31:06");
  EXPECT_EQ(chat.back().text, "Done. It’s gone. 😀");
  int own = 0;
  for (const WhatsAppMessage& message : chat) {
    EXPECT_EQ(message.chatName, "This Is DFIR Two");
    EXPECT_EQ(message.memberJids, "19198887386@s.whatsapp.net");
    EXPECT_EQ(message.memberNames, "This Is DFIR Two");
    EXPECT_EQ(message.senderName, message.isFromMe ? "Me" : "This Is DFIR Two");
    own += message.isFromMe;
  }
  EXPECT_EQ(own, 8);
  EXPECT_EQ(chat[1].messageId, 13);
  EXPECT_EQ(chat[1].pushName, "COrlxKIGIABIAQ==");

  // The group chats' members, as the reader joins them.
  std::string path = parser_.FindWhatsAppDatabases().chatDatabase;
  std::vector<WhatsAppChat> chatList = LoadWhatsAppChats(path);
  AddMembersToChats(chatList, LoadWhatsAppMembers(path));
  ASSERT_EQ(chatList.size(), 5u);
  const std::string lid = "205690463334636@lid";
  const std::string phone = "19195794674@s.whatsapp.net";
  EXPECT_EQ(chatList[0].partnerName, "Our Test Group");
  EXPECT_EQ(chatList[0].memberJids, lid + "," + phone);
  EXPECT_EQ(chatList[1].memberJids, phone + "," + lid);
  EXPECT_EQ(chatList[2].memberJids, lid + "," + phone);
  EXPECT_EQ(chatList[3].partnerName, "Working Group");
  EXPECT_EQ(chatList[3].memberJids, phone + "," + lid);
  EXPECT_EQ(chatList[4].memberJids, "");
  for (const WhatsAppChat& group : chatList) {
    EXPECT_EQ(group.memberNames, "");  // no member has a contact name
  }
}

// The notes of "notes" as "date title" lines, newest first, checking the dates' order.
std::vector<std::string> DatedTitles(const NoteList& notes) {
  std::vector<std::string> lines;
  for (const NoteRecord& note : notes) {
    lines.push_back(note.date + " " + note.title);
  }
  EXPECT_TRUE(
      std::is_sorted(notes.begin(), notes.end(),
                     [](const NoteRecord& a, const NoteRecord& b) { return a.date > b.date; }));
  return lines;
}

// The body of the note titled "title".
std::string BodyOf(const NoteList& notes, const std::string& title) {
  for (const NoteRecord& note : notes) {
    if (note.title == title) {
      return note.body;
    }
  }
  return "(no such note)";
}

TEST_F(RealRecordDatabasesTest, WhatsAppMediaInTheAppGroupWhereTheChatDatabaseSaysTheyAre) {
  // The media items' paths are relative to the group's "Message/" folder.
  std::vector<std::string> paths;
  sqlite3* db = nullptr;
  ASSERT_EQ(
      sqlite3_open_v2(("file:" + kDatabases + "/" + kChatStorage.file + "?immutable=1").c_str(),
                      &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr),
      SQLITE_OK);
  sqlite3_exec(
      db, "SELECT ZMEDIALOCALPATH FROM ZWAMEDIAITEM WHERE ZMEDIALOCALPATH <> '' ORDER BY Z_PK;",
      [](void* out, int, char** values, char**) {
        static_cast<std::vector<std::string>*>(out)->push_back(values[0]);
        return 0;
      },
      &paths, nullptr);
  sqlite3_close(db);
  ASSERT_EQ(paths,
            (std::vector<std::string>{
                "Media/19198887386@s.whatsapp.net/d/0/d041d159-fd7d-4abb-9192-0e97c10ddb00.jpg",
                "Media/19198887386@s.whatsapp.net/0/7/074dc9c5-d1e2-418b-8bcc-8c4ed1f67f7e.jpg"}));
  mkbackup::SampleRandom random(7);
  std::vector<std::string> photos;
  OpenBackupWith({kChatStorage}, [&](mkbackup::SampleBackup& sample) {
    for (const std::string& path : paths) {
      photos.push_back(mkbackup::ExifJpeg(random, 64, 48));
      sample.AddFile(kChatStorage.domain, "Message/" + path, photos.back());
    }
  });
  std::vector<MediaFileItem> listed;
  ASSERT_EQ(parser_.ReadWhatsAppAttachments(listed), kResultOk);
  // Beside the sample's own media (which the backup holds anyway), in name order.
  std::vector<MediaFileItem> attachments;
  std::copy_if(listed.begin(), listed.end(), std::back_inserter(attachments),
               [](const MediaFileItem& item) {
                 return item.name == "074dc9c5-d1e2-418b-8bcc-8c4ed1f67f7e.JPG" ||
                        item.name == "d041d159-fd7d-4abb-9192-0e97c10ddb00.JPG";
               });
  ASSERT_EQ(attachments.size(), 2u);
  EXPECT_EQ(attachments[0].name, "074dc9c5-d1e2-418b-8bcc-8c4ed1f67f7e.JPG");
  EXPECT_EQ(attachments[1].name, "d041d159-fd7d-4abb-9192-0e97c10ddb00.JPG");
  EXPECT_EQ(ReadFile(attachments[1].path), photos[0]);
  EXPECT_EQ(attachments[1].size, photos[0].size());
  // The chat database beside them is read as before, and is no attachment itself.
  WhatsAppThreadMap chats;
  ASSERT_EQ(parser_.ReadWhatsApp(chats), kResultOk);
  EXPECT_EQ(chats.at(5).size(), 15u);
}

TEST_F(RealRecordDatabasesTest, NewerNotesAfterAnEmptyOlderDatabase) {
  OpenBackupWith({kLegacyNotes, kNoteStore});
  NoteList notes;
  ASSERT_EQ(parser_.ReadNotes(notes), kResultOk);
  // 14 notes, dated only in ZCREATIONDATE3; one without title whose text is empty is left out.
  // The newest two share their date.
  std::vector<std::string> lines = DatedTitles(notes);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "2024-07-28 14:24:56 iOS 17 Locked Note");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
            (std::vector<std::string>{
                "2024-07-28 14:24:45 New Note", "2024-07-28 14:22:31 Shared iOS 17 Note",
                "2024-07-28 14:20:50 My iOS 17 Note", "2024-01-17 21:56:04 iOS 16 Secure Note",
                "2024-01-17 21:52:15 iOS 16 Note", "2023-05-10 00:59:13 Secure iOS 15 Note",
                "2023-05-10 00:56:26 iOS 15 Note", "2021-02-15 20:37:09 iOS 14 Locked Note",
                "2021-02-15 20:21:41 iOS 14 Note", "2020-03-28 00:48:37 My Super Secret Note",
                "2020-03-28 00:42:31 My Secret Note", "2020-03-28 00:36:48 My First Note"}));
  // The whole texts, as the note data holds them (its snippet was "This is my first note.
  // Nothing special.").
  EXPECT_EQ(BodyOf(notes, "My First Note"),
            "My First Note\n\nThis is my first note.  Nothing special. \n");
  EXPECT_EQ(BodyOf(notes, "iOS 16 Note"),
            "iOS 16 Note\n\nHere is my first iOS 16 note. \n\nThis is DFIR Two. I wrote this "
            "sentence. ");
  EXPECT_EQ(BodyOf(notes, "Shared iOS 17 Note"), "Shared iOS 17 Note\nMy shared iOS 17 note ");
  EXPECT_EQ(BodyOf(notes, "New Note"), "");  // no data, no snippet
  for (const char* locked : {"Secure iOS 15 Note", "iOS 14 Locked Note", "My Super Secret Note",
                             "My Secret Note", "iOS 16 Secure Note", "iOS 17 Locked Note"}) {
    EXPECT_EQ(BodyOf(notes, locked), "This note is locked.") << locked;
  }
}

TEST_F(RealRecordDatabasesTest, NotesOfTheNewerStoresOfFiveYears) {
  // The same schema as iOS of the same year; the entity numbers move in the newest.
  const std::vector<std::pair<std::string, size_t>> stores = {{"NoteStore-macos12.sqlite", 7},
                                                              {"NoteStore-macos13.sqlite", 8},
                                                              {"NoteStore-macos14.sqlite", 7},
                                                              {"NoteStore-macos15.sqlite", 9},
                                                              {"NoteStore-macos26.sqlite", 8}};
  for (const auto& [file, count] : stores) {
    OpenBackupWith({{file, kNoteStore.domain, kNoteStore.relativePath}});
    NoteList notes;
    ASSERT_EQ(parser_.ReadNotes(notes), kResultOk) << file;
    std::vector<std::string> lines = DatedTitles(notes);
    EXPECT_EQ(lines.size(), count) << file;
    for (const NoteRecord& note : notes) {
      EXPECT_TRUE(note.date.starts_with("2025-0")) << file << ": " << note.title;
      // Every note of these stores has such a title; folders and accounts are no notes.
      EXPECT_TRUE(note.title.starts_with("This ") || note.title == "New Note")
          << file << ": " << note.title;
    }
    EXPECT_EQ(BodyOf(notes, "This note is password protected"), "This note is locked.") << file;
  }
  OpenBackupWith({{"NoteStore-macos12.sqlite", kNoteStore.domain, kNoteStore.relativePath}});
  NoteList notes;
  ASSERT_EQ(parser_.ReadNotes(notes), kResultOk);
  EXPECT_EQ(DatedTitles(notes).front(), "2025-08-01 11:44:45 This note is deleted");
  // The checklist's items and the table's place, which its snippet ("This is a checklist with 3
  // items") leaves out.
  EXPECT_EQ(BodyOf(notes, "This note has special formatting"),
            "This note has special formatting\n\nThis is a checklist with 3 items\nItem 1\nItem "
            "2\nItem 3\n\n\nThis is a 2x2 table\n\uFFFC\n\nThis is bold and underlined.");
  EXPECT_EQ(BodyOf(notes, "This note is deleted"), "This note is deleted\n");
  OpenBackupWith({{"NoteStore-macos14.sqlite", kNoteStore.domain, kNoteStore.relativePath}});
  notes.clear();
  ASSERT_EQ(parser_.ReadNotes(notes), kResultOk);
  EXPECT_EQ(BodyOf(notes, "This note has an attachment"),
            "\nThis note has an attachment\n\nThis attachment is named “bitcoin.pdf”\n\n\uFFFC\n");
}

TEST_F(RealRecordDatabasesTest, OlderNotesDatabaseWithoutNotes) {
  OpenBackupWith({kLegacyNotes});
  NoteList notes;
  // The older database has no notes, so the newer one is tried, and it is missing.
  EXPECT_EQ(parser_.ReadNotes(notes), SQLITE_CANTOPEN);
  EXPECT_TRUE(notes.empty());
}

TEST_F(RealRecordDatabasesTest, MessagesWhoseWordsStandOnlyInTheirArchivedBodies) {
  // A current Messages database: its three messages have an empty or NULL text, their words in
  // attributedBody, and no conversation lists them, so they stay out.
  const RealDatabase chat{"chat-macos-imessage-exporter-test.db", "HomeDomain",
                          "Library/SMS/sms.db"};
  OpenBackupWith({chat});
  MessageThreadMap threads;
  EXPECT_EQ(parser_.ReadMessages(threads), SQLITE_CANTOPEN);  // no address book
  EXPECT_TRUE(threads.empty());
  // A copy in which the conversations list them, with handles for both senders; the third
  // message is the owner's.
  std::string copy = home_ / "chat.db";
  std::filesystem::copy_file(kDatabases + "/" + chat.file, copy);
  test::WriteDatabase(copy,
                      "INSERT INTO handle (ROWID, id, service) VALUES (1, '+15558675309', "
                      "'iMessage'), (475, 'friend@example.com', 'iMessage');"
                      "INSERT INTO chat_message_join (chat_id, message_id) SELECT 1, ROWID FROM "
                      "message;");
  OpenBackupWith({}, [&](mkbackup::SampleBackup& sample) {
    sample.AddFile(chat.domain, chat.relativePath, ReadFile(copy));
  });
  threads.clear();
  parser_.ReadMessages(threads);
  std::vector<std::string> texts;
  for (const auto& [handle, messages] : threads) {
    for (const MessageRecord& message : messages) {
      texts.push_back(std::to_string(handle) + ": " + message.text);
    }
  }
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts,
            (std::vector<std::string>{
                "1: I’m going to try to eat as quick as possible and then come over",
                "1: https://www.ghacks.net/2020/01/23/lastpass-no-longer-listed-on-the-chrome-web-"
                "store/",
                "475: Oh it translated what I sent!"}));
}

TEST_F(RealRecordDatabasesTest, NamesMessagesAndCallsFromTheRealPhoneTexts) {
  std::string sms = home_ / "sms.db";
  test::WriteDatabase(sms,
                      "CREATE TABLE handle (ROWID INTEGER PRIMARY KEY, id TEXT NOT NULL);"
                      "CREATE TABLE message (ROWID INTEGER PRIMARY KEY, text TEXT, handle_id "
                      "INTEGER, date INTEGER, is_from_me INTEGER);"
                      "CREATE TABLE chat_message_join (chat_id INTEGER, message_id INTEGER);"
                      "INSERT INTO handle VALUES (1, '+19193912507'), (2, '8887386'), "
                      "(3, 'thisisdfirtwo@gmail.com');"
                      "INSERT INTO message VALUES (1, 'a', 1, 1, 0), (2, 'b', 2, 2, 0), "
                      "(3, 'c', 3, 3, 1);"
                      "INSERT INTO chat_message_join VALUES (1, 1), (2, 2), (3, 3);");
  std::string calls = home_ / "CallHistory.storedata";
  test::WriteDatabase(calls,
                      "CREATE TABLE ZCALLRECORD (Z_PK INTEGER PRIMARY KEY, ZANSWERED INTEGER, "
                      "ZDURATION FLOAT, ZADDRESS BLOB, ZDATE TIMESTAMP);"
                      "INSERT INTO ZCALLRECORD VALUES (1, 1, 12.5, '+19192084530', 700000000), "
                      "(2, 0, 0, '7386', 700000100), (3, 0, 0, '1-800-MY-APPLE', 700000200);");
  mkbackup::SampleOptions options;
  options.recordDatabases = false;
  mkbackup::SampleBackup sample = mkbackup::MakeSampleBackup(options);
  sample.AddFile("HomeDomain", "Library/SMS/sms.db", ReadFile(sms));
  sample.AddFile("HomeDomain", "Library/CallHistoryDB/CallHistory.storedata", ReadFile(calls));
  sample.AddFile(kIos15AddressBook.domain, kIos15AddressBook.relativePath,
                 ReadFile(kDatabases + "/" + kIos15AddressBook.file));
  std::string folder = home_ / "named";
  test::WriteSample(sample, folder);
  BackupSummary summary;
  ASSERT_EQ(parser_.ReadBackupSummary(folder, summary), kResultOk);
  parser_.SetBackup(summary);
  ASSERT_EQ(parser_.Open(""), kResultOk);

  MessageThreadMap threads;
  ASSERT_EQ(parser_.ReadMessages(threads), kResultOk);
  EXPECT_EQ(threads.at(1).at(0).contactName, "JoshHickman");  // his second number
  EXPECT_EQ(threads.at(2).at(0).contactName, "This IsDFIR Two");
  EXPECT_EQ(threads.at(3).at(0).contactName, "");
  CallList callList;
  ASSERT_EQ(parser_.ReadCallHistory(callList), kResultOk);
  ASSERT_EQ(callList.size(), 3u);
  EXPECT_EQ(callList[0].contactName, "Liz");
  EXPECT_EQ(callList[0].date, "2023-03-08 20:26:40");
  EXPECT_EQ(callList[0].duration, 12);
  EXPECT_EQ(callList[1].contactName, "");  // four digits are never looked up
  EXPECT_EQ(callList[2].contactName, "");  // "No Name" is the contacts list's stand-in only
}

// The real iOS 14.3 backup, read in place: its sms.db lacks chat_message_join, its cut-down
// ChatStorage.sqlite lacks ZWAGROUPMEMBER and the push name and title columns, and the other
// record databases are listed in the manifest but not stored.
TEST(RealBackupRecords, ReadsWhatTheRedactedBackupHolds) {
  std::string folder = std::string(ZBE_REALDATA_DIR) + "/mvt-ios-backup";
  if (!std::filesystem::exists(folder + "/Manifest.db")) {
    GTEST_SKIP() << "real sample data not found at " << folder;
  }
  TempFolder home;
  ScopedEnv dataHome("XDG_DATA_HOME", home.path().c_str());
  test::FolderSnapshot before = test::SnapshotFolder(folder);
  CBackupParser parser;
  BackupSummary summary;
  ASSERT_EQ(parser.ReadBackupSummary(folder, summary), kResultOk);
  parser.SetBackup(summary);
  ASSERT_EQ(parser.Open(""), kResultOk);
  MessageThreadMap threads;
  EXPECT_EQ(parser.ReadMessages(threads), kResultQueryFailed);
  EXPECT_TRUE(threads.empty());
  ContactList contacts;
  EXPECT_EQ(parser.ReadContacts(contacts), SQLITE_CANTOPEN);
  CallList calls;
  EXPECT_EQ(parser.ReadCallHistory(calls), SQLITE_CANTOPEN);
  NoteList notes;
  EXPECT_EQ(parser.ReadNotes(notes), SQLITE_CANTOPEN);
  WhatsAppThreadMap chats;
  EXPECT_EQ(parser.ReadWhatsApp(chats), kResultQueryFailed);
  EXPECT_TRUE(chats.empty());
  // Its two chats are still there to be read.
  std::vector<WhatsAppChat> chatList =
      LoadWhatsAppChats(parser.FindWhatsAppDatabases().chatDatabase);
  ASSERT_EQ(chatList.size(), 2u);
  EXPECT_EQ(chatList[1].partnerName, "Example Group");
  EXPECT_EQ(test::SnapshotFolder(folder), before);
}

}  // namespace
}  // namespace zbe
