#include "records/CallHistoryReader.h"

#include <gtest/gtest.h>

#include "records/ResultCodes.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::AddressBookEntry;
using test::TempFolder;
using test::WriteAddressBook;
using test::WriteDatabase;

constexpr const char* kCallRecordSchema =
    "CREATE TABLE ZCALLRECORD ( Z_PK INTEGER PRIMARY KEY, Z_ENT INTEGER, Z_OPT INTEGER, ZANSWERED "
    "INTEGER, ZCALLTYPE INTEGER, ZORIGINATED INTEGER, ZDATE TIMESTAMP, ZDURATION FLOAT, ZADDRESS "
    "BLOB );";

class CallHistoryReaderTest : public ::testing::Test {
 protected:
  std::string Calls() const { return temp_ / "CallHistory.storedata"; }
  std::string AddressBook() const { return temp_ / "AddressBook.sqlitedb"; }

  void WriteCalls(const std::string& inserts) {
    WriteDatabase(Calls(), std::string(kCallRecordSchema) + inserts);
  }
  Result Read(CallList& calls, CallDatabase kind = CallDatabase::kNewer) {
    return ReadCallHistoryDatabase(Calls(), kind, AddressBook(), calls);
  }

  TempFolder temp_;
  test::ScopedEnv tz_{"TZ", "XXX+5"};  // UTC dates must not move with the time zone
};

TEST_F(CallHistoryReaderTest, ConvertsColumnsAndDropsCallsWithoutAddress) {
  WriteCalls(
      "INSERT INTO ZCALLRECORD (ZANSWERED, ZDATE, ZDURATION, ZADDRESS) VALUES "
      "(1, 0, 59.9, '+15550001'), (0, 10, NULL, '+15550002'), (1, 20, 3, NULL),"
      "(1, 30, 3, ''), (7, 40.75, -2.5, CAST('+15550003' AS BLOB));");
  WriteAddressBook(AddressBook(), 1, {});
  CallList calls;
  ASSERT_EQ(Read(calls), Result::Ok());
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].address, "+15550001");
  EXPECT_EQ(calls[0].date, "2001-01-01 00:00:00");
  EXPECT_EQ(calls[0].duration, 59);
  EXPECT_EQ(calls[0].answered, 1);
  EXPECT_EQ(calls[1].duration, 0);  // NULL
  EXPECT_EQ(calls[1].answered, 0);
  EXPECT_EQ(calls[2].address, "+15550003");  // stored as a blob, as devices do
  EXPECT_EQ(calls[2].date, "2001-01-01 00:00:40");
  EXPECT_EQ(calls[2].duration, -2);
  EXPECT_EQ(calls[2].answered, 7);
}

TEST_F(CallHistoryReaderTest, OrdersOldestFirstThoughTheQueryGivesNewestFirst) {
  // 10:00, 09:00 and 11:00 of 2020-01-06.
  WriteCalls(
      "INSERT INTO ZCALLRECORD (ZDATE, ZADDRESS) VALUES (599997600, 'ten'), "
      "(599994000, 'nine'), (600001200, 'eleven'), (599994000, 'nine again');");
  WriteAddressBook(AddressBook(), 1, {});
  CallList calls;
  ASSERT_EQ(Read(calls), Result::Ok());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].date, "2020-01-06 09:00:00");
  EXPECT_EQ(calls[1].date, "2020-01-06 09:00:00");
  EXPECT_EQ(calls[2].address, "ten");
  EXPECT_EQ(calls[2].date, "2020-01-06 10:00:00");
  EXPECT_EQ(calls[3].address, "eleven");
}

TEST_F(CallHistoryReaderTest, NamesOnlyAddressesLongerThanFourCharacters) {
  WriteCalls(
      "INSERT INTO ZCALLRECORD (ZDATE, ZADDRESS) VALUES (1, '1234'), (2, '12345'), "
      "(3, 'ann@example.com'), (4, '+15550001'), (5, '🙂🙂🙂🙂'), (6, "
      "'🙂🙂🙂🙂🙂');");
  WriteAddressBook(AddressBook(), 1,
                   {{"'Email'", "'Only'", "NULL", "NULL", "'ann@example.com'"},
                    {"'Frank'", "'Bell'", "NULL", "'(212) 345-5501 +12123455501 '"},
                    {"'Gina'", "'Bell'", "NULL", "'+13123455502 +15550001 '"},
                    {"'Emoji'", "NULL", "NULL", "'🙂🙂🙂🙂🙂🙂'"}});
  CallList calls;
  ASSERT_EQ(Read(calls), Result::Ok());
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].contactName, "");           // 1234: four characters
  EXPECT_EQ(calls[1].contactName, "FrankBell");  // 12345: the first phone holding it
  EXPECT_EQ(calls[2].contactName, "");           // not a phone text
  EXPECT_EQ(calls[3].contactName, "GinaBell");
  EXPECT_EQ(calls[4].contactName, "");  // characters are counted, not bytes
  EXPECT_EQ(calls[5].contactName, "Emoji");
}

TEST_F(CallHistoryReaderTest, AddressBookFailuresLeaveCallsUnnamed) {
  WriteCalls("INSERT INTO ZCALLRECORD (ZDATE, ZADDRESS) VALUES (1, '+15550001');");
  CallList calls;
  EXPECT_EQ(Read(calls), Result::Sqlite(SQLITE_CANTOPEN));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].contactName, "");
  // The older layout still names the call, but the result says that the first was refused.
  WriteAddressBook(AddressBook(), 2, {{"'Ann'", "NULL", "NULL", "'+15550001'"}});
  EXPECT_EQ(Read(calls), Result(kQueryFailed));
  EXPECT_EQ(calls[0].contactName, "Ann");
}

TEST_F(CallHistoryReaderTest, AMissingCallDatabaseKeepsTheListButStillSortsAndNamesIt) {
  WriteAddressBook(AddressBook(), 1, {{"'Ann'", "NULL", "NULL", "'+15550001'"}});
  CallList calls(2);
  calls[0].address = "+15550001";
  calls[0].date = "2020-01-02 00:00:00";
  calls[1].address = "other";
  calls[1].date = "2020-01-01 00:00:00";
  EXPECT_EQ(Read(calls), Result::Sqlite(SQLITE_CANTOPEN));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].address, "other");
  EXPECT_EQ(calls[1].contactName, "");  // the address book was not read
  EXPECT_FALSE(std::filesystem::exists(Calls()));
}

TEST_F(CallHistoryReaderTest, AFailingCallQueryEmptiesTheListAndSaysSo) {
  WriteAddressBook(AddressBook(), 1, {});
  WriteDatabase(Calls(), "CREATE TABLE ZOTHER (x);");
  CallList calls(3);
  EXPECT_EQ(Read(calls), Result(kQueryFailed));
  EXPECT_TRUE(calls.empty());
  test::WriteFile(Calls(), std::string(1024, '\0') + "garbage");
  calls.resize(1);
  EXPECT_EQ(Read(calls), Result(kQueryFailed));
  EXPECT_TRUE(calls.empty());
}

TEST_F(CallHistoryReaderTest, ReadsTheOlderDatabaseWithEitherTable) {
  WriteAddressBook(AddressBook(), 1, {{"'Ann'", "NULL", "NULL", "'+15550001'"}});
  // A call_history.db that has ZCALLRECORD is read like the newer database.
  WriteCalls("INSERT INTO ZCALLRECORD (ZANSWERED, ZDATE, ZADDRESS) VALUES (1, 0, '+15550001');");
  CallList calls;
  ASSERT_EQ(Read(calls, CallDatabase::kOlder), Result::Ok());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].date, "2001-01-01 00:00:00");
  // The device's own call_history.db keeps its calls in "call": dates since 1970, bit 0 of the
  // flags for outgoing calls.
  std::filesystem::remove(Calls());
  WriteDatabase(Calls(),
                "CREATE TABLE call (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, address TEXT, date "
                "INTEGER, duration INTEGER, flags INTEGER, id INTEGER, name TEXT, country_code "
                "TEXT, network_code TEXT, read INTEGER, assisted INTEGER, face_time_data BLOB, "
                "originalAddress TEXT);"
                "INSERT INTO call (address, date, duration, flags) VALUES "
                "('+15550001', 1300000000, 65, 4), ('+15550002', 1300000100, 0, 5),"
                "(NULL, 1300000200, 1, 4);");
  ASSERT_EQ(Read(calls, CallDatabase::kOlder), Result::Ok());
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].date, "2011-03-13 07:06:40");
  EXPECT_EQ(calls[0].answered, 1);  // incoming
  EXPECT_EQ(calls[0].duration, 65);
  EXPECT_EQ(calls[0].contactName, "Ann");
  EXPECT_EQ(calls[1].answered, 0);  // outgoing
  // The newer database is never read from such a table.
  ASSERT_EQ(Read(calls, CallDatabase::kNewer), Result(kQueryFailed));
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace zbe
