#pragma once

// Small hand-made record databases for the reader suites, written with the system's (writing)
// SQLite interface into temporary folders.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace zbe::test {

// Creates the database "path" (and its folder) and runs "sql" on it. Throws on failure, which
// fails the test that called it.
inline void WriteDatabase(const std::string& path, const std::string& sql) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  sqlite3* db = nullptr;
  int opened = sqlite3_open(path.c_str(), &db);
  char* message = nullptr;
  int result =
      opened == SQLITE_OK ? sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) : opened;
  std::string error = message != nullptr ? message : (db != nullptr ? sqlite3_errmsg(db) : "");
  sqlite3_free(message);
  sqlite3_close(db);
  if (result != SQLITE_OK) {
    throw std::runtime_error("cannot write " + path + ": " + error);
  }
}

// The address book's full-text search content table in the newer (1) and older (2) layout,
// with the columns around the ones the readers take.
inline const char* kAddressBookLayout1 =
    "CREATE TABLE ABPersonFullTextSearch_content(docid INTEGER PRIMARY KEY, c0First, c1Last, "
    "c2Middle, c3FirstPhonetic, c4MiddlePhonetic, c5LastPhonetic, c6Organization, "
    "c7OrganizationPhonetic, c8Department, c9Note, c10Birthday, c11JobTitle, c12Nickname, "
    "c13Prefix, c14Suffix, c15DisplayName, c16Phone, c17Email, c18Address, c19SocialProfile, "
    "c20URL, c21RelatedNames, c22IM, c23Date);";
inline const char* kAddressBookLayout2 =
    "CREATE TABLE ABPersonFullTextSearch_content(docid INTEGER PRIMARY KEY, c0First, c1Last, "
    "c2Middle, c3FirstPhonetic, c4MiddlePhonetic, c5LastPhonetic, c6Organization, c7Department, "
    "c8Note, c9Birthday, c10JobTitle, c11Nickname, c12Prefix, c13Suffix, c14DisplayName, "
    "c15Phone, c16Email, c17Address, c18SocialProfile, c19URL, c20RelatedNames, c21IM, c22Date);";

// One entry of either layout: SQL values (quoted texts or NULL).
struct AddressBookEntry {
  std::string first = "NULL";
  std::string last = "NULL";
  std::string organization = "NULL";
  std::string phone = "NULL";
  std::string email = "NULL";
  std::string url = "NULL";
};

// An address book of "layout" (1 or 2) holding "entries" in row order.
inline void WriteAddressBook(const std::string& path, int layout,
                             const std::vector<AddressBookEntry>& entries) {
  std::string sql = layout == 1 ? kAddressBookLayout1 : kAddressBookLayout2;
  for (const AddressBookEntry& entry : entries) {
    sql += layout == 1 ? "INSERT INTO ABPersonFullTextSearch_content (c0First, c1Last, "
                         "c6Organization, c16Phone, c17Email, c20URL) VALUES ("
                       : "INSERT INTO ABPersonFullTextSearch_content (c0First, c1Last, "
                         "c6Organization, c15Phone, c16Email, c19URL) VALUES (";
    sql += entry.first + ", " + entry.last + ", " + entry.organization + ", " + entry.phone + ", " +
           entry.email + ", " + entry.url + ");";
  }
  WriteDatabase(path, sql);
}

// Records every progress report and answers "answer" (from report number "stopAt" on, counting
// from 1; 0: always).
struct ProgressRecorder {
  std::vector<int32_t> reports;
  int32_t answer = 0;
  size_t stopAt = 0;
  int32_t Report(int32_t progress) {
    reports.push_back(progress);
    return reports.size() >= stopAt ? answer : 0;
  }
};

}  // namespace zbe::test
