#pragma once

#include <cstdint>
#include <vector>

#include "records/Records.h"
#include "records/Result.h"
#include "records/SqliteDatabase.h"

namespace zbe {

// Address books of older devices have no full-text search table: each entry stands only in
// ABPerson (names, organization) and ABMultiValue (one row per number or address, by property).

// True when the open address book "db" has the full-text search table
// (ABPersonFullTextSearch_content).
bool HasFullTextSearchTable(SqliteDatabase& db);

// Reads the entries of the open address book "db" from ABPerson and ABMultiValue into
// "contacts" (appended, in ABPerson's row order), with the rules of the full-text search table:
// name is the first name directly followed by the last name, company the organization; phone
// holds each number as stored and, when that differs, in its compact form (digits, with a
// leading "+" kept), each followed by one blank, so that a number in a message or a call
// ("+15552013344") is found in it; email and url hold the addresses joined by blanks. Entries
// without a phone number are dropped; an empty name stays empty. Returns success, or 1006 when the
// tables cannot be read (nothing is added).
Result QueryPersonTables(SqliteDatabase& db, std::vector<ContactRecord>& contacts);

}  // namespace zbe
