// The record databases of the sample backup: where they are stored, the schema they share with
// real devices, the data the options ask for, and what the readers make of them.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <set>

#include "backup/Sha1.h"
#include "backup/StoredFiles.h"
#include "records/CallHistoryReader.h"
#include "records/ContactsReader.h"
#include "records/Conversions.h"
#include "records/MessagesReader.h"
#include "records/NotesReader.h"
#include "records/WhatsAppReader.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {
namespace {

using test::TempFolder;

constexpr int64_t kJan2020 = 1580512205;  // 2020-01-31T23:10:05Z
constexpr const char* kWhatsAppDomain = "AppDomainGroup-group.net.whatsapp.WhatsApp.shared";

SampleOptions Options(int scale = 1) {
  SampleOptions options;
  options.lastBackupDate = kJan2020;
  options.scale = scale;
  return options;
}

const StoredFile* FindFile(const SampleBackup& backup, std::string_view domain,
                           std::string_view relativePath) {
  for (const StoredFile& file : backup.files()) {
    if (file.domain == domain && file.relativePath == relativePath) {
      return &file;
    }
  }
  return nullptr;
}

// The stored databases of a sample, written out to read them back.
class SampleDatabases {
 public:
  explicit SampleDatabases(const SampleOptions& options) : backup_(MakeSampleBackup(options)) {}

  // The path of a copy of the database stored as "domain" "relativePath" ("" when absent).
  std::string Path(std::string_view domain, std::string_view relativePath) {
    const StoredFile* file = FindFile(backup_, domain, relativePath);
    if (file == nullptr) {
      return "";
    }
    std::string path = temp_ / file->fileID();
    if (!std::filesystem::exists(path)) {
      test::WriteFile(path, file->contents);
    }
    return path;
  }
  std::string Path(std::string_view hashedName) {
    for (const WellKnownDatabase& known : kWellKnownDatabases) {
      if (known.hashedName == hashedName) {
        return Path(known.domain, known.relativePath);
      }
    }
    return "";
  }

  const SampleBackup& backup() const { return backup_; }

 private:
  SampleBackup backup_;
  TempFolder temp_;
};

// Runs "sql" on the database at "path"; returns the first column of every row.
std::vector<std::string> Query(const std::string& path, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK) << path;
  char* error = nullptr;
  int result = sqlite3_exec(
      db, sql.c_str(),
      [](void* context, int, char** values, char**) {
        static_cast<std::vector<std::string>*>(context)->push_back(values[0] ? values[0]
                                                                             : "<null>");
        return 0;
      },
      &rows, &error);
  EXPECT_EQ(result, SQLITE_OK) << sql << ": " << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
  return rows;
}

int Count(const std::string& path, const std::string& table) {
  return std::stoi(Query(path, "SELECT count(*) FROM " + table + ";").at(0));
}

std::set<std::string> Columns(const std::string& path, const std::string& table) {
  std::vector<std::string> names =
      Query(path, "SELECT name FROM pragma_table_info('" + table + "');");
  return std::set<std::string>(names.begin(), names.end());
}

void ExpectColumns(const std::string& path, const std::string& table,
                   const std::vector<std::string>& wanted) {
  std::set<std::string> columns = Columns(path, table);
  for (const std::string& column : wanted) {
    EXPECT_TRUE(columns.count(column)) << table << "." << column;
  }
}

TEST(RecordDatabases, AreStoredUnderTheirWellKnownHashedNames) {
  for (const WellKnownDatabase& known : kWellKnownDatabases) {
    EXPECT_EQ(Sha1Hex(std::string(known.domain) + "-" + std::string(known.relativePath)),
              known.hashedName);
  }
  SampleOptions older = Options();
  older.oldCalls = true;
  older.oldNotes = true;
  std::set<std::string> ids;
  for (const SampleOptions& options : {Options(), older}) {
    SampleBackup sample = MakeSampleBackup(options);
    for (const StoredFile& file : sample.files()) {
      ids.insert(file.fileID());
    }
  }
  for (std::string_view name : {kAddressBookHashedName, kMessagesHashedName, kCallHistoryHashedName,
                                kOldCallHistoryHashedName, kOldNotesHashedName, kNotesHashedName}) {
    EXPECT_TRUE(ids.count(std::string(name))) << name;
  }
  // Each option replaces the newer database instead of adding the older one beside it.
  std::set<std::string> olderIds;
  SampleBackup olderSample = MakeSampleBackup(older);
  for (const StoredFile& file : olderSample.files()) {
    olderIds.insert(file.fileID());
  }
  EXPECT_FALSE(olderIds.count(std::string(kCallHistoryHashedName)));
  EXPECT_FALSE(olderIds.count(std::string(kNotesHashedName)));
  SampleBackup sample = MakeSampleBackup(Options());
  EXPECT_NE(FindFile(sample, kWhatsAppDomain, "ChatStorage.sqlite"), nullptr);
  EXPECT_NE(FindFile(sample, kWhatsAppDomain, "Contacts.sqlite"), nullptr);
}

TEST(RecordDatabases, HaveTheTablesAndColumnsOfADevice) {
  SampleDatabases sample(Options());
  std::string sms = sample.Path(kMessagesHashedName);
  ExpectColumns(sms, "message",
                {"ROWID", "guid", "text", "handle_id", "date", "date_read", "is_from_me", "service",
                 "cache_roomnames", "attributedBody"});
  ExpectColumns(sms, "handle", {"ROWID", "id", "service", "country", "uncanonicalized_id"});
  ExpectColumns(sms, "chat", {"ROWID", "guid", "style", "chat_identifier", "display_name"});
  ExpectColumns(sms, "chat_message_join", {"chat_id", "message_id", "message_date"});
  ExpectColumns(sms, "chat_handle_join", {"chat_id", "handle_id"});
  ExpectColumns(sms, "attachment", {"ROWID", "filename", "mime_type"});

  std::string addressBook = sample.Path(kAddressBookHashedName);
  ExpectColumns(addressBook, "ABPersonFullTextSearch_content",
                {"docid", "c0First", "c1Last", "c6Organization", "c7OrganizationPhonetic",
                 "c16Phone", "c17Email", "c20URL"});
  ExpectColumns(addressBook, "ABPerson", {"ROWID", "First", "Last", "Organization", "guid"});
  ExpectColumns(addressBook, "ABMultiValue", {"UID", "record_id", "property", "label", "value"});
  EXPECT_EQ(Count(addressBook, "ABPerson"), Count(addressBook, "ABPersonFullTextSearch_content"));
  // The phone numbers as typed stand in ABMultiValue; the search table holds their forms.
  EXPECT_EQ(
      Query(addressBook, "SELECT value FROM ABMultiValue WHERE record_id = 1 AND property = 3;"),
      (std::vector<std::string>{"(415) 555-0134"}));

  std::string calls = sample.Path(kCallHistoryHashedName);
  ExpectColumns(calls, "ZCALLRECORD",
                {"Z_PK", "ZANSWERED", "ZORIGINATED", "ZCALLTYPE", "ZDATE", "ZDURATION", "ZADDRESS",
                 "ZSERVICE_PROVIDER", "ZUNIQUE_ID"});
  EXPECT_GT(Count(calls, "Z_PRIMARYKEY"), 0);
  std::string notes = sample.Path(kNotesHashedName);
  ExpectColumns(notes, "ZICCLOUDSYNCINGOBJECT",
                {"Z_PK", "Z_ENT", "ZTITLE1", "ZSNIPPET", "ZCREATIONDATE", "ZCREATIONDATE1",
                 "ZFOLDER", "ZNOTEDATA", "ZISPASSWORDPROTECTED"});
  ExpectColumns(notes, "ZICNOTEDATA", {"ZNOTE", "ZDATA"});

  std::string chats = sample.Path(kWhatsAppDomain, "ChatStorage.sqlite");
  ExpectColumns(chats, "ZWACHATSESSION",
                {"Z_PK", "ZCONTACTJID", "ZPARTNERNAME", "ZSESSIONTYPE", "ZGROUPINFO"});
  ExpectColumns(chats, "ZWAGROUPMEMBER", {"ZCHATSESSION", "ZCONTACTNAME", "ZMEMBERJID"});
  ExpectColumns(chats, "ZWAMESSAGE",
                {"Z_PK", "ZISFROMME", "ZCHATSESSION", "ZMESSAGEDATE", "ZPUSHNAME", "ZTEXT",
                 "ZMEDIAITEM", "ZGROUPMEMBER", "ZFROMJID", "ZMESSAGETYPE"});
  ExpectColumns(chats, "ZWAMEDIAITEM", {"ZMESSAGE", "ZTITLE", "ZMEDIALOCALPATH", "ZFILESIZE"});
  ExpectColumns(chats, "ZWAGROUPINFO", {"ZCHATSESSION", "ZCREATORJID"});
  ExpectColumns(sample.Path(kWhatsAppDomain, "Contacts.sqlite"), "ZWAADDRESSBOOKCONTACT",
                {"ZFULLNAME", "ZPHONENUMBER", "ZWHATSAPPID"});
}

TEST(RecordDatabases, TheOlderVariantsHaveTheOlderSchemas) {
  SampleOptions options = Options();
  options.contactsLayout = 2;
  options.oldCalls = true;
  options.oldNotes = true;
  options.legacyDates = true;
  SampleDatabases sample(options);
  std::string addressBook = sample.Path(kAddressBookHashedName);
  std::set<std::string> search = Columns(addressBook, "ABPersonFullTextSearch_content");
  EXPECT_TRUE(search.count("c15Phone") && search.count("c16Email") && search.count("c19URL"));
  EXPECT_FALSE(search.count("c7OrganizationPhonetic") || search.count("c20URL"));
  std::string calls = sample.Path(kOldCallHistoryHashedName);
  ExpectColumns(calls, "call", {"ROWID", "address", "date", "duration", "flags", "answered"});
  EXPECT_TRUE(Columns(calls, "ZCALLRECORD").empty());
  std::string notes = sample.Path(kOldNotesHashedName);
  ExpectColumns(notes, "ZNOTE", {"Z_PK", "ZBODY", "ZCREATIONDATE", "ZTITLE", "ZSUMMARY"});
  ExpectColumns(notes, "ZNOTEBODY", {"Z_PK", "ZOWNER", "ZCONTENT"});
  // Older devices counted message dates in seconds, newer ones in nanoseconds.
  EXPECT_EQ(Query(sample.Path(kMessagesHashedName), "SELECT max(length(date)) FROM message;"),
            (std::vector<std::string>{"9"}));
  SampleDatabases current(Options());
  EXPECT_EQ(Query(current.Path(kMessagesHashedName),
                  "SELECT min(length(date)) || ' ' || max(length(date)) FROM message;"),
            (std::vector<std::string>{"18 18"}));
}

TEST(RecordDatabases, ScaleMultipliesTheRecords) {
  SampleDatabases one(Options(1));
  SampleDatabases three(Options(3));
  auto counts = [](SampleDatabases& sample) {
    return std::vector<int>{
        Count(sample.Path(kAddressBookHashedName), "ABPerson"),
        Count(sample.Path(kMessagesHashedName), "message"),
        Count(sample.Path(kCallHistoryHashedName), "ZCALLRECORD"),
        Count(sample.Path(kNotesHashedName), "ZICCLOUDSYNCINGOBJECT WHERE Z_ENT = 11"),
        Count(sample.Path(kWhatsAppDomain, "ChatStorage.sqlite"), "ZWAMESSAGE")};
  };
  // A fixed cast of edge cases, plus a few dozen of each per unit of scale.
  EXPECT_EQ(counts(one), (std::vector<int>{12 + 32, 13 + 60, 7 + 40, 9 + 30, 60 + 5}));
  EXPECT_EQ(counts(three),
            (std::vector<int>{12 + 3 * 32, 13 + 3 * 60, 7 + 3 * 40, 9 + 3 * 30, 3 * 60 + 5}));
}

TEST(RecordDatabases, TheReadersFindTheEdgeCases) {
  test::ScopedEnv tz("TZ", "UTC");
  SampleDatabases sample(Options());
  std::string addressBook = sample.Path(kAddressBookHashedName);

  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(addressBook, contacts), Result::Ok());
  std::multiset<std::string> names;
  for (const ContactRecord& contact : contacts) {
    names.insert(contact.name);
    EXPECT_FALSE(contact.phone.empty());
  }
  EXPECT_EQ(contacts.size(), 43u);  // everyone but the person without a phone number
  EXPECT_EQ(names.count("AnnLee"), 1u);
  EXPECT_EQ(names.count("alice"), 1u);
  EXPECT_EQ(names.count("No Name"), 2u);
  EXPECT_EQ(names.count("Jean/LucPicard"), 1u);
  EXPECT_EQ(names.count("Zoë 🌸Ng"), 1u);
  EXPECT_EQ(names.count("DanaOrtiz"), 2u);
  EXPECT_EQ(names.count("CarlaMendes"), 0u);

  MessageThreadMap threads;
  ASSERT_EQ(ReadMessagesDatabase(sample.Path(kMessagesHashedName), addressBook, {}, threads),
            Result::Ok());
  std::multiset<std::string> texts;
  std::map<std::string, MessageRecord> messageByText;
  bool blank = false;
  bool unnamedMail = false;
  for (const auto& [handle, messages] : threads) {
    for (const MessageRecord& message : messages) {
      texts.insert(message.text);
      messageByText.emplace(message.text, message);
      EXPECT_EQ(message.date.substr(0, 2), "20");
      blank = blank || (message.text == " " && message.contactName == "AnnLee");
      unnamedMail =
          unnamedMail || (message.sender == "ann.lee@example.com" && message.contactName.empty());
    }
  }
  EXPECT_TRUE(blank);
  EXPECT_TRUE(unnamedMail);
  EXPECT_EQ(texts.count("Shared by two conversations"), 2u);
  EXPECT_EQ(texts.count("Listed by no conversation"), 0u);
  EXPECT_EQ(texts.count("From a handle that is gone"), 0u);
  EXPECT_EQ(texts.count("Count me in / bringing dessert"), 1u);
  EXPECT_EQ(texts.count(""), 0u);
  // The owner's group messages (handle 0), in a thread of their conversation.
  EXPECT_EQ(texts.count("Dinner at ours on Sunday? 🍝"), 1u);
  EXPECT_EQ(messageByText["Dinner at ours on Sunday? 🍝"].contactName, "Family 🏡");
  EXPECT_LT(messageByText["Dinner at ours on Sunday? 🍝"].handleId, 0);
  EXPECT_EQ(messageByText["Owner to the climbers, archived only 🧗"].contactName,
            "Climbing / Bouldering");
  // Texts that stand in attributedBody only.
  EXPECT_EQ(messageByText["Only in the archive: see you at 8 ✨"].contactName, "BobStone");
  EXPECT_EQ(texts.count("Archived, with an empty text column"), 1u);
  EXPECT_GT(Count(sample.Path(kMessagesHashedName), "message WHERE text IS NULL"), 20);

  CallList calls;
  ASSERT_EQ(ReadCallHistoryDatabase(sample.Path(kCallHistoryHashedName), CallDatabase::kNewer,
                                    addressBook, calls),
            Result::Ok());
  EXPECT_EQ(calls.size(), 45u);  // the calls without an address are left out
  std::map<std::string, CallRecord> byAddress;
  for (const CallRecord& call : calls) {
    byAddress.emplace(call.address, call);
  }
  EXPECT_EQ(byAddress["1234"].contactName, "");
  EXPECT_EQ(byAddress["12345"].contactName, "FrankBell");
  EXPECT_EQ(byAddress["+14155550134"].duration, 59);
  EXPECT_EQ(byAddress["+14155550134"].contactName, "AnnLee");
  EXPECT_EQ(byAddress["+15125550199"].duration, 0);

  NoteList notes;
  ASSERT_EQ(ReadNotesDatabase(sample.Path(kNotesHashedName), notes), Result::Ok());
  EXPECT_EQ(notes.size(), 37u);  // all but the two without title and text
  std::map<std::string, std::string> bodies;
  for (const NoteRecord& note : notes) {
    bodies.emplace(note.title, note.body);
    EXPECT_TRUE(IsDateText(note.date)) << note.title;
  }
  EXPECT_TRUE(
      std::is_sorted(notes.begin(), notes.end(),
                     [](const NoteRecord& a, const NoteRecord& b) { return a.date > b.date; }));
  // The whole text of a long note, from its note data.
  const std::string& trip = bodies["Trip plan: Lisbon 🇵🇹"];
  EXPECT_GT(trip.size(), 2000u);
  EXPECT_TRUE(trip.starts_with("Trip plan: Lisbon 🇵🇹\n\nWeek 1\nDay 1: Alfama")) << trip;
  EXPECT_NE(trip.find("Pack: adapters, sunscreen, the good walking shoes & a rain jacket."),
            std::string::npos);
  EXPECT_EQ(bodies["Tom & Jerry"], "a&lt;b");
  EXPECT_EQ(bodies["Lines"], "line1\nline2<BR>line3");
  EXPECT_EQ(bodies["Escaped"], "\nx");
  EXPECT_EQ(bodies["Only a closing div"], "");
  EXPECT_EQ(bodies["Bank PINs 🔒"], "This note is locked.");

  WhatsAppThreadMap chats;
  ASSERT_EQ(ReadWhatsAppDatabase(sample.Path(kWhatsAppDomain, "ChatStorage.sqlite"), chats),
            Result::Ok());
  std::map<std::string, WhatsAppMessage> byText;
  size_t groupMessages = 0;
  for (const auto& [chat, messages] : chats) {
    for (const WhatsAppMessage& message : messages) {
      byText.emplace(message.text, message);
      groupMessages += message.memberJids.find(',') != std::string::npos;
    }
  }
  EXPECT_GT(groupMessages, 5u);
  EXPECT_EQ(byText.count("Beach day 🏖️"), 1u);  // a media title
  EXPECT_EQ(byText["Photo from the lake"].chatName, "Family 🏡");
  EXPECT_EQ(byText["Sunset"].senderName, "Me");
  EXPECT_EQ(byText["From a chat that is gone"].chatId, 999);
  EXPECT_EQ(byText["From a chat that is gone"].chatName, "");
  EXPECT_EQ(byText.count("Without a chat"), 0u);
}

TEST(RecordDatabases, AreTheSameForTheSameSeed) {
  SampleOptions options = Options(2);
  SampleBackup first = MakeSampleBackup(options);
  SampleBackup second = MakeSampleBackup(options);
  options.seed = 2;
  SampleBackup other = MakeSampleBackup(options);
  const StoredFile* a = FindFile(first, "HomeDomain", "Library/SMS/sms.db");
  const StoredFile* b = FindFile(second, "HomeDomain", "Library/SMS/sms.db");
  const StoredFile* c = FindFile(other, "HomeDomain", "Library/SMS/sms.db");
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(a->contents, b->contents);
  EXPECT_NE(a->contents, c->contents);
}

TEST(RecordDatabases, AnAddressBookWithoutSearchTableStillNamesMessagesAndCalls) {
  SampleOptions options = Options();
  options.contactsLayout = 3;
  SampleDatabases sample(options);
  std::string addressBook = sample.Path(kAddressBookHashedName);
  EXPECT_TRUE(Columns(addressBook, "ABPersonFullTextSearch_content").empty());
  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(addressBook, contacts), Result::Ok());
  EXPECT_EQ(contacts.size(), 43u);  // as with the search table
  MessageThreadMap threads;
  ASSERT_EQ(ReadMessagesDatabase(sample.Path(kMessagesHashedName), addressBook, {}, threads),
            Result::Ok());
  std::map<std::string, std::string> namesBySender;
  for (const auto& [handle, messages] : threads) {
    for (const MessageRecord& message : messages) {
      namesBySender[message.sender] = message.contactName;
    }
  }
  EXPECT_EQ(namesBySender["+14155550134"], "AnnLee");
  EXPECT_EQ(namesBySender["+15125550199"], "");  // nobody's number
  CallList calls;
  ASSERT_EQ(ReadCallHistoryDatabase(sample.Path(kCallHistoryHashedName), CallDatabase::kNewer,
                                    addressBook, calls),
            Result::Ok());
  size_t named = 0;
  for (const CallRecord& call : calls) {
    named += !call.contactName.empty();
    if (call.address == "+14155550134") {
      EXPECT_EQ(call.contactName, "AnnLee");
    }
  }
  EXPECT_GT(named, 20u);
}

TEST(RecordDatabases, TheProgramTakesTheRecordOptions) {
  TempFolder temp;
  auto result =
      test::RunProgram("mkbackup", {temp / "b", "--scale", "2", "--legacy-dates",
                                    "--contacts-layout", "2", "--old-calls", "--old-notes"});
  ASSERT_EQ(result.status, 0) << result.err;
  auto stored = [&](std::string_view name) {
    return temp / ("b/" + std::string(name.substr(0, 2)) + "/" + std::string(name));
  };
  EXPECT_TRUE(std::filesystem::exists(stored(kOldCallHistoryHashedName)));
  EXPECT_FALSE(std::filesystem::exists(stored(kCallHistoryHashedName)));
  EXPECT_TRUE(std::filesystem::exists(stored(kOldNotesHashedName)));
  EXPECT_FALSE(std::filesystem::exists(stored(kNotesHashedName)));
  EXPECT_EQ(Count(stored(kAddressBookHashedName), "ABPerson"), 12 + 2 * 32);
  EXPECT_TRUE(
      Columns(stored(kAddressBookHashedName), "ABPersonFullTextSearch_content").count("c15Phone"));
  EXPECT_EQ(Query(stored(kMessagesHashedName), "SELECT max(length(date)) FROM message;"),
            (std::vector<std::string>{"9"}));
  ASSERT_EQ(test::RunProgram("mkbackup", {temp / "old", "--contacts-layout", "old"}).status, 0);
  EXPECT_TRUE(
      Columns(temp / "old/31/31bb7ba8914766d4ba40d6dfb6113c8b614be442", "ABPerson").count("First"));
  EXPECT_TRUE(Columns(temp / "old/31/31bb7ba8914766d4ba40d6dfb6113c8b614be442",
                      "ABPersonFullTextSearch_content")
                  .empty());

  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {temp / "c", "--scale", "0"},
           {temp / "c", "--scale", "10001"},
           {temp / "c", "--scale", "two"},
           {temp / "c", "--contacts-layout", "3"},
           {temp / "c", "--contacts-layout", "older"},
           {temp / "c", "--scale"},
       }) {
    auto bad = test::RunProgram("mkbackup", arguments);
    EXPECT_EQ(bad.status, 1) << testing::PrintToString(arguments);
    EXPECT_NE(bad.err.find("usage: mkbackup"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(temp / "c"));
  auto help = test::RunProgram("mkbackup", {"--help"});
  EXPECT_NE(help.out.find("--old-notes"), std::string::npos);
}

}  // namespace
}  // namespace zbe::mkbackup
