#include "records/ContactsReader.h"

#include <gtest/gtest.h>

#include "records/ResultCodes.h"
#include "support/RecordDatabases.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::AddressBookEntry;
using test::TempFolder;
using test::WriteAddressBook;

class ContactsReaderTest : public ::testing::Test {
 protected:
  std::string Path() const { return temp_ / "AddressBook.sqlitedb"; }

  static std::vector<std::string> Names(const ContactList& contacts) {
    std::vector<std::string> names;
    for (const ContactRecord& contact : contacts) {
      names.push_back(contact.name);
    }
    return names;
  }

  TempFolder temp_;
};

TEST_F(ContactsReaderTest, JoinsNamesAndStandsInNoNameForNamelessEntries) {
  WriteAddressBook(
      Path(), 1,
      {{"'Ann'", "'Lee'", "NULL", "'+1 555 0101 '", "'ann@example.com'", "'https://ann.example'"},
       {"NULL", "NULL", "NULL", "'+1 555 0102'"},
       {"''", "''", "NULL", "'+1 555 0103'"},
       {"NULL", "NULL", "'Harbor Dental / Ortho'", "'+1 555 0104'"},
       {"'Carla'", "'Mendes'", "NULL", "NULL", "'carla@example.org'"},
       {"'Dan'", "'Empty'", "NULL", "''"},
       {"'Zoë 🌸'", "NULL", "NULL", "'+1 555 0105'"}});
  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), Result::Ok());
  ASSERT_EQ(contacts.size(), 5u);
  EXPECT_EQ(Names(contacts),
            (std::vector<std::string>{"AnnLee", "No Name", "No Name", "No Name", "Zoë 🌸"}));
  EXPECT_EQ(contacts[0].phone, "+1 555 0101 ");  // exactly as the search table holds it
  EXPECT_EQ(contacts[0].email, "ann@example.com");
  EXPECT_EQ(contacts[0].url, "https://ann.example");
  EXPECT_EQ(contacts[0].address, "");
  EXPECT_EQ(contacts[0].social, "");
  int withCompany = 0;
  for (const ContactRecord& contact : contacts) {
    withCompany += contact.company == "Harbor Dental / Ortho" && contact.name == "No Name";
  }
  EXPECT_EQ(withCompany, 1);
}

TEST_F(ContactsReaderTest, SortsByNameIgnoringCase) {
  WriteAddressBook(Path(), 1,
                   {{"'Bob'", "NULL", "NULL", "'1'", "'first'"},
                    {"'alice'", "NULL", "NULL", "'2'"},
                    {"'Charlie'", "NULL", "NULL", "'3'"},
                    {"'bob'", "NULL", "NULL", "'4'", "'second'"},
                    {"'_x'", "NULL", "NULL", "'5'"}});
  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), Result::Ok());
  ASSERT_EQ(contacts.size(), 5u);
  EXPECT_EQ(contacts[0].name, "_x");
  EXPECT_EQ(contacts[1].name, "alice");
  // Equal names (ignoring case) stay next to each other, in either order.
  EXPECT_TRUE((contacts[2].email == "first" && contacts[3].email == "second") ||
              (contacts[2].email == "second" && contacts[3].email == "first"));
  EXPECT_EQ(contacts[4].name, "Charlie");
}

TEST_F(ContactsReaderTest, ReadsTheOlderLayoutAndSaysSoWith1006) {
  WriteAddressBook(
      Path(), 2,
      {{"'Bob'", "NULL", "NULL", "'+1 555 0102'", "'bob@example.com'", "'https://bob.example'"},
       {"'Ann'", "'Lee'", "NULL", "'+1 555 0101'"}});
  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), Result(kQueryFailed));
  ASSERT_EQ(Names(contacts), (std::vector<std::string>{"AnnLee", "Bob"}));
  EXPECT_EQ(contacts[1].email, "bob@example.com");
  EXPECT_EQ(contacts[1].url, "https://bob.example");
}

TEST_F(ContactsReaderTest, AnAddressBookWithoutTheSearchTableIsReadFromItsPersonTables) {
  test::WriteDatabase(
      Path(),
      "CREATE TABLE ABPerson (ROWID INTEGER PRIMARY KEY AUTOINCREMENT, First TEXT, Last TEXT, "
      "Organization TEXT);"
      "CREATE TABLE ABMultiValue (UID INTEGER PRIMARY KEY, record_id INTEGER, property INTEGER, "
      "identifier INTEGER, label INTEGER, value TEXT);"
      "INSERT INTO ABPerson VALUES (1, 'Ann', 'Lee', NULL), (2, NULL, NULL, 'Harbor Dental'), "
      "(3, 'Carla', 'Mendes', NULL), (4, 'bob', NULL, ''), (5, '', '', NULL);"
      "INSERT INTO ABMultiValue (record_id, property, identifier, value) VALUES "
      "(1, 3, 0, '+1 (415) 555-0134'), (1, 4, 0, 'ann@example.com'), (1, 3, 1, '07700 900123'),"
      "(1, 22, 0, 'https://ann.example'), (1, 4, 1, 'lee@example.org'), (1, 5, 0, 'a street'),"
      "(2, 3, 0, '5550199'), (3, 4, 0, 'carla@example.org'), (4, 3, 0, NULL), (4, 3, 1, '*100#'),"
      "(5, 3, 0, '+44 20 7946 0958'), (9, 3, 0, '+15550000');");
  ContactList contacts;
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), Result::Ok());
  EXPECT_EQ(Names(contacts), (std::vector<std::string>{"AnnLee", "bob", "No Name", "No Name"}));
  const ContactRecord& ann = contacts[0];
  EXPECT_EQ(ann.phone, "+1 (415) 555-0134 +14155550134 07700 900123 07700900123 ");
  EXPECT_EQ(ann.email, "ann@example.com lee@example.org");
  EXPECT_EQ(ann.url, "https://ann.example");
  EXPECT_EQ(ann.address, "");
  EXPECT_EQ(contacts[1].phone, "*100# 100 ");
  const ContactRecord& dental = contacts[2].company.empty() ? contacts[3] : contacts[2];
  EXPECT_EQ(dental.company, "Harbor Dental");
  EXPECT_EQ(dental.phone, "5550199 ");

  // Without either table there is nothing to read.
  test::WriteDatabase(temp_ / "empty.sqlitedb", "CREATE TABLE ABStore (ROWID INTEGER);");
  contacts.clear();
  EXPECT_EQ(ReadContactsDatabase(temp_ / "empty.sqlitedb", contacts), Result(kQueryFailed));
  EXPECT_TRUE(contacts.empty());
}

TEST_F(ContactsReaderTest, ReplacesTheListOnlyWhenTheAddressBookOpens) {
  ContactList contacts(2);
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), Result::Sqlite(SQLITE_CANTOPEN));
  EXPECT_EQ(contacts.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  // Neither layout fits: the list ends empty.
  test::WriteDatabase(Path(), "CREATE TABLE ABPersonFullTextSearch_content (docid, c0First);");
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), Result(kQueryFailed));
  EXPECT_TRUE(contacts.empty());
  // Not a database at all.
  contacts.resize(1);
  test::WriteFile(Path(), std::string(2048, '\x9c'));
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), Result(kQueryFailed));
  EXPECT_TRUE(contacts.empty());
}

}  // namespace
}  // namespace zbe
