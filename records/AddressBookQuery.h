#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "records/Records.h"
#include "records/SqliteDatabase.h"

namespace zbe {

// The address book's full-text search table, ABPersonFullTextSearch_content, names its columns
// after their position, so the phone, e-mail and web columns sit one place further on in the
// newer layout (which added c7OrganizationPhonetic) than in the older one.
inline constexpr const char* kAddressBookQueryFirstLayout =
    "select c0First, c1Last,c6Organization,c16Phone,c17Email,c20URL,docid from "
    "ABPersonFullTextSearch_content;";
inline constexpr const char* kAddressBookQuerySecondLayout =
    "select c0First, c1Last,c6Organization,c15Phone,c16Email,c19URL,docid from "
    "ABPersonFullTextSearch_content;";

// Reads the entries of the open address book "db" into "contacts" (appended, in row order):
// runs the first layout's query and, when SQLite reports an error for it, the second layout's.
// Each row with a non-empty phone text gives a ContactRecord with name (first name directly
// followed by last name), company, phone, email and url set; rows without a phone text are
// dropped, and an empty name stays empty. Rows that a failing query delivered before its error
// are kept. Returns success when the first query succeeded, else 1006 (also when the second
// layout read every row). An address book without the search table (older devices) is read from
// its person tables instead (records/PersonTableQuery.h): success when they could be read, else
// 1006.
Result QueryAddressBook(SqliteDatabase& db, std::vector<ContactRecord>& contacts);

// The phone texts of "contacts", in order, for a name lookup (records/FirstContainingLookup.h);
// they refer into "contacts", which must outlive them unchanged.
std::vector<std::string_view> PhoneTexts(const std::vector<ContactRecord>& contacts);

}  // namespace zbe
