#include "records/WhatsAppReader.h"

#include <gtest/gtest.h>

#include "records/ResultCodes.h"
#include "records/WhatsAppTables.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteDatabase;

constexpr const char* kSchema =
    "CREATE TABLE ZWACHATSESSION ( Z_PK INTEGER PRIMARY KEY, ZSESSIONTYPE INTEGER, ZCONTACTJID "
    "VARCHAR, ZPARTNERNAME VARCHAR );"
    "CREATE TABLE ZWAGROUPMEMBER ( Z_PK INTEGER PRIMARY KEY, ZCHATSESSION INTEGER, ZCONTACTNAME "
    "VARCHAR, ZMEMBERJID VARCHAR );"
    "CREATE TABLE ZWAMESSAGE ( Z_PK INTEGER PRIMARY KEY, ZISFROMME INTEGER, ZCHATSESSION INTEGER, "
    "ZMESSAGEDATE TIMESTAMP, ZPUSHNAME VARCHAR, ZTEXT VARCHAR );"
    "CREATE TABLE ZWAMEDIAITEM ( Z_PK INTEGER PRIMARY KEY, ZMESSAGE INTEGER, ZTITLE VARCHAR );";

// A group chat 7 whose members' JIDs are 111q (Ann) and 222q (Bob), a one-to-one chat 9 and the
// messages "sql" adds.
std::string GroupChat(const std::string& annName, const std::string& bobName) {
  return std::string(kSchema) +
         "INSERT INTO ZWACHATSESSION VALUES (7, 1, 'g7@g.us', 'Family 🏡'), "
         "(9, 0, '15550009@s.whatsapp.net', 'Zoë / Z');"
         "INSERT INTO ZWAGROUPMEMBER (ZCHATSESSION, ZCONTACTNAME, ZMEMBERJID) VALUES "
         "(7, " +
         annName + ", '111q'), (7, " + bobName + ", '222q');";
}

class WhatsAppReaderTest : public ::testing::Test {
 protected:
  std::string Path() const { return temp_ / "ChatStorage.sqlite"; }

  // The messages of every chat, in map and chat order.
  static std::vector<WhatsAppMessage> All(const WhatsAppThreadMap& chats) {
    std::vector<WhatsAppMessage> all;
    for (const auto& [chat, messages] : chats) {
      all.insert(all.end(), messages.begin(), messages.end());
    }
    return all;
  }

  TempFolder temp_;
  test::ScopedEnv tz_{"TZ", "XXX-1"};  // one hour east of UTC, no daylight saving
};

TEST_F(WhatsAppReaderTest, JoinsGroupMembersIntoTheChat) {
  for (auto [ann, bob, names] :
       {std::tuple{"'Ann'", "'Bob'", "Ann,Bob"}, std::tuple{"'Ann'", "NULL", "Ann"},
        std::tuple{"NULL", "'Bob'", ",Bob"}, std::tuple{"''", "''", "Family 🏡"}}) {
    std::filesystem::remove(Path());
    WriteDatabase(Path(), GroupChat(ann, bob) +
                              "INSERT INTO ZWAMESSAGE VALUES (1, 0, 7, 10, NULL, 'hello');");
    WhatsAppThreadMap chats;
    ASSERT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Ok());
    const WhatsAppMessage& message = chats.at(7).at(0);
    EXPECT_EQ(message.memberJids, "111q,222q");
    EXPECT_EQ(message.memberNames, names) << ann << " " << bob;
    EXPECT_EQ(message.chatName, "Family 🏡");
  }
}

TEST_F(WhatsAppReaderTest, NamesGroupSendersByTheirPushNames) {
  WriteDatabase(Path(), GroupChat("'Ann'", "'Bob'") +
                            "INSERT INTO ZWACHATSESSION VALUES (8, 1, 'g8@g.us', 'Other');"
                            "INSERT INTO ZWAGROUPMEMBER (ZCHATSESSION, ZCONTACTNAME, ZMEMBERJID) "
                            "VALUES (8, 'Cy', '333q'), (8, 'Dee', '444q');"
                            "INSERT INTO ZWAMESSAGE VALUES "
                            "(1, 0, 7, 1, 'x222', 'from bob'),"
                            "(2, 0, 7, 2, 'y', 'one character'),"
                            "(3, 0, 7, 3, '', 'no push name'),"
                            "(4, 0, 7, 4, '+999', 'nobody'),"
                            "(5, 0, 7, 5, '~333', 'member of another chat'),"
                            "(6, 1, 7, 6, 'x222', 'mine'),"
                            "(7, 0, 9, 7, 'x111', 'one-to-one'),"
                            "(8, 1, 9, 8, 'me', 'mine too'),"
                            "(9, 0, 7, 9, 'é222', 'two-byte first character');");
  WhatsAppThreadMap chats;
  ASSERT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Ok());
  std::map<std::string, WhatsAppMessage> byText;
  for (const WhatsAppMessage& message : All(chats)) {
    byText[message.text] = message;
  }
  EXPECT_EQ(byText["from bob"].senderName, "Bob");
  EXPECT_EQ(byText["from bob"].pushName, "x222");
  EXPECT_EQ(byText["one character"].senderName, "Ann");  // the first member of the list
  EXPECT_EQ(byText["no push name"].senderName, "Family 🏡");
  EXPECT_EQ(byText["nobody"].senderName, "Family 🏡");
  EXPECT_EQ(byText["member of another chat"].senderName, "Cy");
  EXPECT_EQ(byText["mine"].senderName, "Me");
  EXPECT_EQ(byText["mine"].pushName, "");
  EXPECT_EQ(byText["one-to-one"].senderName, "Zoë / Z");  // push names only matter in groups
  EXPECT_EQ(byText["one-to-one"].memberJids, "15550009@s.whatsapp.net");
  EXPECT_EQ(byText["one-to-one"].memberNames, "Zoë / Z");
  EXPECT_EQ(byText["mine too"].senderName, "Me");
  EXPECT_EQ(byText["mine too"].pushName, "");
  EXPECT_EQ(byText["two-byte first character"].senderName, "Bob");
}

TEST_F(WhatsAppReaderTest, GroupMessagesKeepTheirTextWhateverChatCameBefore) {
  // Rows of chats 7, 7, 9, 7: every message keeps its text.
  WriteDatabase(Path(), GroupChat("'Ann'", "'Bob'") +
                            "INSERT INTO ZWAMESSAGE VALUES (1, 0, 7, 1, NULL, 'first'),"
                            "(2, 0, 7, 2, NULL, 'second'), (3, 0, 9, 3, NULL, 'other chat'),"
                            "(4, 0, 7, 4, NULL, 'fourth');");
  WhatsAppThreadMap chats;
  ASSERT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Ok());
  ASSERT_EQ(chats.at(7).size(), 3u);
  EXPECT_EQ(chats.at(7)[0].text, "first");
  EXPECT_EQ(chats.at(7)[1].text, "second");
  EXPECT_EQ(chats.at(7)[2].text, "fourth");
  EXPECT_EQ(chats.at(9).size(), 1u);
}

TEST_F(WhatsAppReaderTest, MediaTitlesStandInForMissingText) {
  WriteDatabase(Path(), GroupChat("'Ann'", "'Bob'") +
                            "INSERT INTO ZWAMESSAGE VALUES (1, 1, 9, 1, NULL, NULL),"
                            "(2, 0, 9, 2, NULL, ''), (3, 0, 9, 3, NULL, 'own words'),"
                            "(4, 0, 9, 4, NULL, NULL), (5, 0, 9, 5, NULL, NULL);"
                            "INSERT INTO ZWAMEDIAITEM (ZMESSAGE, ZTITLE) VALUES (1, 'Photo'),"
                            "(1, 'Second item'), (2, 'Beach 🏖️'), (3, 'Ignored title'),"
                            "(4, NULL), (0, 'no message');");
  WhatsAppThreadMap chats;
  ASSERT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Ok());
  const std::vector<WhatsAppMessage>& chat = chats.at(9);
  ASSERT_EQ(chat.size(), 3u);
  EXPECT_EQ(chat[0].text, "Photo");
  EXPECT_EQ(chat[0].senderName, "Me");
  EXPECT_EQ(chat[1].text, "Beach 🏖️");
  EXPECT_EQ(chat[2].text, "own words");
}

TEST_F(WhatsAppReaderTest, DatesAreLocalAndOrderTheChats) {
  WriteDatabase(Path(),
                GroupChat("'Ann'", "'Bob'") +
                    "INSERT INTO ZWAMESSAGE VALUES (1, 0, 9, 600000000.7, NULL, 'late'),"
                    "(2, 0, 9, 0, NULL, 'reference date'), (3, 0, 9, NULL, NULL, 'undated'),"
                    "(4, 0, NULL, 5, NULL, 'no chat'), (5, 0, 0, 5, NULL, 'chat zero'),"
                    "(6, 1, 42, 7, 'me', 'chat that is gone');");
  WhatsAppThreadMap chats = {{1, {WhatsAppMessage{}}}};  // kept: the reader only adds
  ASSERT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Ok());
  ASSERT_EQ(chats.size(), 3u);
  const std::vector<WhatsAppMessage>& chat = chats.at(9);
  ASSERT_EQ(chat.size(), 3u);
  EXPECT_EQ(chat[0].text, "undated");
  EXPECT_EQ(chat[1].date, "2001-01-01 01:00:00");
  EXPECT_EQ(chat[2].date, "2020-01-06 11:40:00");
  EXPECT_EQ(chat[2].messageId, 1);
  EXPECT_EQ(chat[2].chatId, 9);
  // A chat that ZWACHATSESSION does not list: no chat facts, not even the owner's name.
  const WhatsAppMessage& orphan = chats.at(42).at(0);
  EXPECT_EQ(orphan.senderName, "");
  EXPECT_EQ(orphan.chatName, "");
  EXPECT_EQ(orphan.memberJids, "");
  EXPECT_EQ(orphan.pushName, "me");
  EXPECT_EQ(orphan.isFromMe, 1);
}

TEST_F(WhatsAppReaderTest, UnreadableTablesAddNothingAndTheMediaQueryDecides) {
  WhatsAppThreadMap chats;
  EXPECT_EQ(ReadWhatsAppDatabase(Path(), chats), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_EQ(ReadWhatsAppDatabase("", chats), Result::Sqlite(SQLITE_CANTOPEN));
  test::WriteFile(Path(), std::string(8192, 'W'));
  EXPECT_EQ(ReadWhatsAppDatabase(Path(), chats), Result(kQueryFailed));
  EXPECT_TRUE(chats.empty());
  // Only the messages table: messages without chat facts, and the failed media query's code.
  std::filesystem::remove(Path());
  WriteDatabase(Path(),
                "CREATE TABLE ZWAMESSAGE ( Z_PK INTEGER PRIMARY KEY, ZISFROMME INTEGER, "
                "ZCHATSESSION INTEGER, ZMESSAGEDATE TIMESTAMP, ZPUSHNAME VARCHAR, ZTEXT VARCHAR );"
                "INSERT INTO ZWAMESSAGE VALUES (1, 1, 3, 1, 'x', 'alone');");
  EXPECT_EQ(ReadWhatsAppDatabase(Path(), chats), Result(kQueryFailed));
  ASSERT_EQ(chats.at(3).size(), 1u);
  EXPECT_EQ(chats.at(3)[0].senderName, "");
}

TEST(WhatsAppTables, FirstMembersJidDecidesWhereTheNamesStart) {
  std::vector<WhatsAppChat> chats(2);
  chats[0].chatId = 1;
  chats[1].chatId = 2;
  // A member without a JID leaves the list "empty", so the next one starts it afresh.
  std::vector<WhatsAppMember> members = {{1, "", "Lost"}, {2, "a", "A"}, {1, "b", "B"},
                                         {1, "c", ""},    {1, "d", "D"}, {3, "z", "Z"}};
  AddMembersToChats(chats, members);
  EXPECT_EQ(chats[0].memberJids, "b,c,d");
  EXPECT_EQ(chats[0].memberNames, "B,D");
  EXPECT_EQ(chats[1].memberJids, "a");
  EXPECT_EQ(chats[1].memberNames, "A");
}

}  // namespace
}  // namespace zbe
