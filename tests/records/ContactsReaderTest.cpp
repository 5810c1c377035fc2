#include "records/ContactsReader.h"

#include <gtest/gtest.h>

#include "backup/ResultCodes.h"
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
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), kResultOk);
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
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), kResultOk);
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
  ASSERT_EQ(ReadContactsDatabase(Path(), contacts), kResultQueryFailed);
  ASSERT_EQ(Names(contacts), (std::vector<std::string>{"AnnLee", "Bob"}));
  EXPECT_EQ(contacts[1].email, "bob@example.com");
  EXPECT_EQ(contacts[1].url, "https://bob.example");
}

TEST_F(ContactsReaderTest, ReplacesTheListOnlyWhenTheAddressBookOpens) {
  ContactList contacts(2);
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), SQLITE_CANTOPEN);
  EXPECT_EQ(contacts.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  // Neither layout fits: the list ends empty.
  test::WriteDatabase(Path(), "CREATE TABLE ABPersonFullTextSearch_content (docid, c0First);");
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), kResultQueryFailed);
  EXPECT_TRUE(contacts.empty());
  // Not a database at all.
  contacts.resize(1);
  test::WriteFile(Path(), std::string(2048, '\x9c'));
  EXPECT_EQ(ReadContactsDatabase(Path(), contacts), kResultQueryFailed);
  EXPECT_TRUE(contacts.empty());
}

}  // namespace
}  // namespace zbe
