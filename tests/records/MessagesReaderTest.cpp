#include "records/MessagesReader.h"

#include <gtest/gtest.h>

#include "records/AddressBookQuery.h"
#include "records/ResultCodes.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/AttributedBodyArchive.h"

namespace zbe {
namespace {

using test::AddressBookEntry;
using test::ProgressRecorder;
using test::TempFolder;
using test::WriteAddressBook;
using test::WriteDatabase;

// The three tables the query joins, with only the columns it reads.
constexpr const char* kSmsSchema =
    "CREATE TABLE handle (ROWID INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE, id TEXT NOT NULL, "
    "service TEXT);"
    "CREATE TABLE message (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, text TEXT, handle_id INTEGER "
    "DEFAULT 0, date INTEGER, is_from_me INTEGER DEFAULT 0);"
    "CREATE TABLE chat_message_join (chat_id INTEGER, message_id INTEGER, PRIMARY KEY (chat_id, "
    "message_id));";

class MessagesReaderTest : public ::testing::Test {
 protected:
  std::string Sms() const { return temp_ / "sms.db"; }
  std::string AddressBook() const { return temp_ / "AddressBook.sqlitedb"; }

  // An sms.db with "sql" run after the schema.
  void WriteSms(const std::string& sql) { WriteDatabase(Sms(), std::string(kSmsSchema) + sql); }

  Result Read(MessageThreadMap& threads, const MessagesProgress& progress = {}) {
    return ReadMessagesDatabase(Sms(), AddressBook(), progress, threads);
  }

  // The messages of every thread, in map and thread order.
  static std::vector<MessageRecord> All(const MessageThreadMap& threads) {
    std::vector<MessageRecord> all;
    for (const auto& [handle, messages] : threads) {
      all.insert(all.end(), messages.begin(), messages.end());
    }
    return all;
  }

  TempFolder temp_;
  test::ScopedEnv tz_{"TZ", "XXX-3"};  // UTC dates must not move with the time zone
};

TEST_F(MessagesReaderTest, TellsSecondsFromNanosecondsByTheStoredTextsLength) {
  WriteSms(
      "INSERT INTO handle (id) VALUES ('+15550001');"
      "INSERT INTO message (text, handle_id, date) VALUES "
      "('seconds', 1, 600000000), ('nanoseconds', 1, 600000000000000000), ('zero', 1, 0),"
      "('fifteen digits', 1, 100000000000000), ('fourteen digits', 1, 10000000000000),"
      "('no date', 1, NULL);"
      "INSERT INTO chat_message_join SELECT 1, ROWID FROM message;");
  WriteAddressBook(AddressBook(), 1, {});
  MessageThreadMap threads;
  ASSERT_EQ(Read(threads), Result::Ok());
  std::map<std::string, std::string> dates;
  for (const MessageRecord& message : All(threads)) {
    dates[message.text] = message.date;
  }
  EXPECT_EQ(dates["seconds"], "2020-01-06 10:40:00");      // 9 characters
  EXPECT_EQ(dates["nanoseconds"], "2020-01-06 10:40:00");  // 18 characters
  EXPECT_EQ(dates["zero"], "2001-01-01 00:00:00");
  EXPECT_EQ(dates["fifteen digits"], "2001-01-02 03:46:40");  // read as nanoseconds
  EXPECT_EQ(dates["fourteen digits"], "");  // read as seconds: beyond the year 9999
  EXPECT_EQ(dates["no date"], "");
}

TEST_F(MessagesReaderTest, DeliversOnlyJoinedMessagesWithAHandleAndText) {
  WriteSms(
      "INSERT INTO handle (id) VALUES ('+15550001');"
      "INSERT INTO message (ROWID, text, handle_id, date, is_from_me) VALUES "
      "(1, NULL, 1, 1, 0), (2, ' ', 1, 2, 1), (3, '', 1, 3, 0), (4, 'no handle row', 7, 4, 0),"
      "(5, 'in no conversation', 1, 5, 0), (6, 'in two conversations', 1, 6, 0),"
      "(7, 'owner in a group', 0, 7, 1);"
      "INSERT INTO chat_message_join VALUES (1, 1), (1, 2), (1, 3), (1, 4), (1, 6), (2, 6), "
      "(2, 7);");
  WriteAddressBook(AddressBook(), 1, {});
  MessageThreadMap threads;
  ASSERT_EQ(Read(threads), Result::Ok());
  ASSERT_EQ(threads.size(), 1u);
  const std::vector<MessageRecord>& thread = threads.at(1);
  ASSERT_EQ(thread.size(), 3u);
  EXPECT_EQ(thread[0].text, " ");
  EXPECT_EQ(thread[0].rowId, 2);
  EXPECT_EQ(thread[0].isFromMe, 1);
  EXPECT_EQ(thread[0].handleId, 1);
  EXPECT_EQ(thread[0].sender, "+15550001");
  EXPECT_EQ(thread[1].text, "in two conversations");
  EXPECT_EQ(thread[2].text, "in two conversations");
}

TEST_F(MessagesReaderTest, GroupsByHandleOldestFirstAcrossConversations) {
  WriteSms(
      "INSERT INTO handle (ROWID, id) VALUES (3, 'three@example.com'), (5, '+15550005');"
      "INSERT INTO message (ROWID, text, handle_id, date) VALUES "
      "(1, 'late five', 5, 600000300), (2, 'three', 3, 600000200), (3, 'early five', 5, "
      "600000100), (4, 'Same time', 5, 600000300);"
      "INSERT INTO chat_message_join VALUES (1, 1), (2, 2), (3, 3), (1, 4);");
  WriteAddressBook(AddressBook(), 1, {});
  MessageThreadMap threads = {{9, {MessageRecord{}}}};  // kept: the reader only adds
  ASSERT_EQ(Read(threads), Result::Ok());
  ASSERT_EQ(threads.size(), 3u);
  EXPECT_EQ(threads.at(9).size(), 1u);
  ASSERT_EQ(threads.at(3).size(), 1u);
  const std::vector<MessageRecord>& five = threads.at(5);
  ASSERT_EQ(five.size(), 3u);
  EXPECT_EQ(five[0].text, "early five");
  EXPECT_EQ(five[0].date, "2020-01-06 10:41:40");
  // Equal dates stay next to each other, in either order.
  EXPECT_EQ(five[1].date, five[2].date);
  EXPECT_NE(five[1].text, five[2].text);
}

TEST_F(MessagesReaderTest, NamesSendersAfterTheFirstContactWhosePhoneHoldsThem) {
  WriteSms(
      "INSERT INTO handle (ROWID, id) VALUES (1, '+15550001'), (2, 'ann@example.com'), "
      "(3, '0001'), (4, '+19990000');"
      "INSERT INTO message (text, handle_id, date) VALUES ('a', 1, 1), ('b', 2, 2), ('c', 3, 3), "
      "('d', 4, 4), ('e', 1, 5);"
      "INSERT INTO chat_message_join SELECT 1, ROWID FROM message;");
  AddressBookEntry noPhone{"'Email'", "'Only'", "NULL", "NULL", "'ann@example.com'"};
  AddressBookEntry first{"'Ann'", "'Lee'", "NULL", "'(555) 0001 +15550001 '"};
  AddressBookEntry second{"'Ann'", "'Again'", "NULL", "'+15550001'"};
  AddressBookEntry nameless{"NULL", "NULL", "'Org'", "'+15550001'"};
  WriteAddressBook(AddressBook(), 1, {noPhone, first, second, nameless});
  MessageThreadMap threads;
  ASSERT_EQ(Read(threads), Result::Ok());
  EXPECT_EQ(threads.at(1)[0].contactName, "AnnLee");
  EXPECT_EQ(threads.at(1)[1].contactName, "AnnLee");
  EXPECT_EQ(threads.at(2)[0].contactName, "");        // e-mail addresses are not phone texts
  EXPECT_EQ(threads.at(3)[0].contactName, "AnnLee");  // a short text matches inside a number
  EXPECT_EQ(threads.at(4)[0].contactName, "");
}

TEST_F(MessagesReaderTest, FallsBackOnTheSecondAddressBookLayout) {
  WriteSms(
      "INSERT INTO handle (id) VALUES ('+15550001');"
      "INSERT INTO message (text, handle_id, date) VALUES ('hi', 1, 1);"
      "INSERT INTO chat_message_join VALUES (1, 1);");
  WriteAddressBook(AddressBook(), 2, {{"'Ann'", "'Lee'", "NULL", "'+15550001'"}});
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads), Result(kQueryFailed));
  EXPECT_EQ(threads.at(1)[0].contactName, "AnnLee");
}

TEST_F(MessagesReaderTest, WithoutAnAddressBookDeliversUnnamedMessages) {
  WriteSms(
      "INSERT INTO handle (id) VALUES ('+15550001');"
      "INSERT INTO message (text, handle_id, date) VALUES ('hi 👋', 1, 1);"
      "INSERT INTO chat_message_join VALUES (1, 1);");
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads), Result::Sqlite(SQLITE_CANTOPEN));
  ASSERT_EQ(threads.at(1).size(), 1u);
  EXPECT_EQ(threads.at(1)[0].text, "hi 👋");
  EXPECT_EQ(threads.at(1)[0].contactName, "");
  // An address book that fits neither layout names nobody either.
  WriteDatabase(AddressBook(), "CREATE TABLE ABPerson (First TEXT);");
  threads.clear();
  EXPECT_EQ(Read(threads), Result(kQueryFailed));
  EXPECT_EQ(threads.at(1).size(), 1u);
}

TEST_F(MessagesReaderTest, AnUnreadableMessagesDatabaseAddsNothing) {
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads), Result::Sqlite(SQLITE_CANTOPEN));  // missing, and not created
  EXPECT_FALSE(std::filesystem::exists(Sms()));
  test::WriteFile(Sms(), std::string(4096, 'x'));  // not a database
  EXPECT_EQ(Read(threads), Result(kQueryFailed));
  std::filesystem::remove(Sms());
  WriteDatabase(Sms(), "CREATE TABLE message (text TEXT);");  // a table missing
  EXPECT_EQ(Read(threads), Result(kQueryFailed));
  EXPECT_TRUE(threads.empty());
}

// Databases of devices since iOS 11 or so: attributedBody, and the conversations with their
// members.
constexpr const char* kNewerSmsSchema =
    "CREATE TABLE handle (ROWID INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE, id TEXT NOT NULL, "
    "service TEXT);"
    "CREATE TABLE message (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, text TEXT, handle_id INTEGER "
    "DEFAULT 0, date INTEGER, is_from_me INTEGER DEFAULT 0, attributedBody BLOB);"
    "CREATE TABLE chat (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, chat_identifier TEXT, "
    "display_name TEXT);"
    "CREATE TABLE chat_handle_join (chat_id INTEGER, handle_id INTEGER);"
    "CREATE TABLE chat_message_join (chat_id INTEGER, message_id INTEGER, PRIMARY KEY (chat_id, "
    "message_id));";

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

class NewerMessagesTest : public MessagesReaderTest {
 protected:
  void WriteNewerSms(const std::string& sql) {
    WriteDatabase(Sms(), std::string(kNewerSmsSchema) + sql);
  }
};

TEST_F(NewerMessagesTest, AnEmptyTextIsTakenFromTheArchivedBody) {
  const std::string archived = SqlBlob(mkbackup::AttributedBodyArchive("Only archived 📎"));
  const std::string blank = SqlBlob(mkbackup::AttributedBodyArchive(""));
  WriteNewerSms(
      "INSERT INTO handle (id) VALUES ('+15550001');"
      "INSERT INTO message (ROWID, text, handle_id, date, attributedBody) VALUES "
      "(1, NULL, 1, 1, " +
      archived + "), (2, '', 1, 2, " + archived +
      "), "
      "(3, 'own text', 1, 3, " +
      SqlBlob(mkbackup::AttributedBodyArchive("other")) +
      "), "
      "(4, NULL, 1, 4, " +
      blank +
      "), (5, NULL, 1, 5, X'040B73747265616D7479706564'), "
      "(6, NULL, 1, 6, NULL), (7, ' ', 1, 7, " +
      archived +
      ");"
      "INSERT INTO chat_message_join SELECT 1, ROWID FROM message;");
  MessageThreadMap threads;
  Read(threads);
  std::vector<std::string> texts;
  for (const MessageRecord& message : threads.at(1)) {
    texts.push_back(std::to_string(message.rowId) + ":" + message.text);
  }
  // An archive without text, a cut one and none at all leave the message out.
  EXPECT_EQ(texts, (std::vector<std::string>{"1:Only archived 📎", "2:Only archived 📎", "3:own text",
                                             "7: "}));
}

TEST_F(NewerMessagesTest, TheOwnersGroupMessagesAreDeliveredOnceInTheirConversationsThread) {
  WriteNewerSms(
      "INSERT INTO handle (ROWID, id) VALUES (1, '+15550001'), (2, '+15550002'), "
      "(3, 'bo@example.com');"
      "INSERT INTO chat (ROWID, chat_identifier, display_name) VALUES (1, 'chat100', 'Family'), "
      "(2, 'chat200', ''), (3, '+15550001', ''), (4, 'chat400', NULL);"
      "INSERT INTO chat_handle_join VALUES (1, 1), (1, 2), (2, 2), (2, 3), (3, 1);"
      "INSERT INTO message (ROWID, text, handle_id, date, is_from_me) VALUES "
      "(1, 'to the family', 0, 10, 1), (2, 'from Ann in the family', 1, 20, 0), "
      "(3, 'to two', 0, 30, 1), (4, 'to Ann alone', 0, 40, 1), (5, 'in no conversation', 0, 50, "
      "1), (6, 'received without a handle', 0, 60, 0), (7, 'to an empty group', 0, 70, 1), "
      "(8, 'from Ann', 1, 80, 0);"
      "INSERT INTO chat_message_join VALUES (1, 1), (1, 2), (2, 3), (3, 4), (4, 7), (3, 8);");
  AddressBookEntry ann{"'Ann'", "'Lee'", "NULL", "'+15550001'"};
  WriteAddressBook(AddressBook(), 1, {ann});
  MessageThreadMap threads;
  ASSERT_EQ(Read(threads), Result::Ok());
  std::map<int32_t, std::vector<std::string>> texts;
  for (const auto& [key, thread] : threads) {
    for (const MessageRecord& message : thread) {
      texts[key].push_back(message.text);
    }
  }
  EXPECT_EQ(texts, (std::map<int32_t, std::vector<std::string>>{
                       {-4, {"to an empty group"}},
                       {-2, {"to two"}},
                       {-1, {"to the family"}},
                       {1, {"from Ann in the family", "to Ann alone", "from Ann"}}}));
  // Named after the conversation: its display name, or its members.
  const MessageRecord& family = threads.at(-1)[0];
  EXPECT_EQ(family.contactName, "Family");
  EXPECT_EQ(family.sender, "+15550001, +15550002");
  EXPECT_EQ(family.isFromMe, 1);
  EXPECT_EQ(family.rowId, 1);
  EXPECT_EQ(threads.at(-2)[0].contactName, "");  // nobody of it is in the address book
  EXPECT_EQ(threads.at(-2)[0].sender, "+15550002, bo@example.com");
  EXPECT_EQ(threads.at(-4)[0].sender, "chat400");
  // Sent in a conversation with Ann alone: in Ann's thread, named like her messages.
  const MessageRecord& toAnn = threads.at(1)[1];
  EXPECT_EQ(toAnn.handleId, 1);
  EXPECT_EQ(toAnn.sender, "+15550001");
  EXPECT_EQ(toAnn.contactName, "AnnLee");
}

TEST_F(NewerMessagesTest, AGroupWithoutANameIsNamedByItsMembers) {
  WriteNewerSms(
      "INSERT INTO handle (ROWID, id) VALUES (1, '+15550001'), (2, '+15550002');"
      "INSERT INTO chat (ROWID, chat_identifier, display_name) VALUES (7, 'chat700', NULL);"
      "INSERT INTO chat_handle_join VALUES (7, 2), (7, 1);"
      "INSERT INTO message (ROWID, text, handle_id, date, is_from_me) VALUES (1, 'hi all', 0, 1, "
      "1);"
      "INSERT INTO chat_message_join VALUES (7, 1);");
  WriteAddressBook(AddressBook(), 1, {{"'Ann'", "'Lee'", "NULL", "'+15550001'"}});
  MessageThreadMap threads;
  ASSERT_EQ(Read(threads), Result::Ok());
  EXPECT_EQ(threads.at(-7)[0].contactName, "AnnLee, +15550002");
  EXPECT_EQ(threads.at(-7)[0].sender, "+15550001, +15550002");
}

class MessagesProgressTest : public MessagesReaderTest {
 protected:
  void SetUp() override {
    WriteSms(
        "INSERT INTO handle (id) VALUES ('+15550001');"
        "INSERT INTO message (text, handle_id, date) VALUES ('hi', 1, 1);"
        "INSERT INTO chat_message_join VALUES (1, 1);");
    WriteAddressBook(AddressBook(), 1, {{"'Ann'", "NULL", "NULL", "'+15550001'"}});
  }

  MessagesProgress Progress() {
    MessagesProgress progress;
    progress.report = [this](int32_t value) { return recorder_.Report(value); };
    progress.running = 34;
    progress.weight = 11;
    return progress;
  }

  ProgressRecorder recorder_;
};

TEST_F(MessagesProgressTest, ReportsAFifthAQuarterAndAWholeStep) {
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads, Progress()), Result::Ok());
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{36, 36, 45}));
  EXPECT_EQ(threads.at(1)[0].contactName, "Ann");
}

TEST_F(MessagesProgressTest, AStopAtTheFirstReportDeliversNothing) {
  recorder_.answer = 2;
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads, Progress()), Result::Stopped());
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{36, 45}));
  EXPECT_TRUE(threads.empty());
}

TEST_F(MessagesProgressTest, AStopAfterTheAddressBookKeepsTheMessages) {
  recorder_.answer = 2;
  recorder_.stopAt = 2;
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads, Progress()), Result::Stopped());
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{36, 36, 45}));
  EXPECT_EQ(threads.at(1).size(), 1u);
}

TEST_F(MessagesProgressTest, AGoOnAnswerDoesNotHideAFailure) {
  std::filesystem::remove(AddressBook());
  MessageThreadMap threads;
  EXPECT_EQ(Read(threads, Progress()), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{36, 45}));  // no address-book report
  EXPECT_EQ(threads.at(1).size(), 1u);
  std::filesystem::remove(Sms());
  recorder_.reports.clear();
  threads.clear();
  EXPECT_EQ(Read(threads, Progress()), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_EQ(recorder_.reports, (std::vector<int32_t>{45}));
}

}  // namespace
}  // namespace zbe
