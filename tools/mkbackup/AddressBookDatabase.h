#pragma once

#include <string>
#include <vector>

#include "tools/mkbackup/SampleBackup.h"
#include "tools/mkbackup/SamplePeople.h"

namespace zbe::mkbackup {

// The two layouts of the address book's full-text search table: 1 is the layout of current
// devices (phone in c16Phone), 2 that of older ones (phone in c15Phone). Older devices still
// ("old") had no search table at all: their entries stand only in ABPerson and ABMultiValue.
inline constexpr int kNewerContactsLayout = 1;
inline constexpr int kOlderContactsLayout = 2;
inline constexpr int kNoSearchTableContactsLayout = 3;

// "AddressBook.sqlitedb" holding "people": ABPerson, ABMultiValue (phones, e-mail and web
// addresses with their labels), stores, groups, properties, and the full-text search table
// ABPersonFullTextSearch (an FTS4 table, so its content lands in
// ABPersonFullTextSearch_content) in "layout" (1 or 2), or, with layout 3, without the search
// table and with the numbers in their international form, as older devices synced them.
// Created "createdAt" (seconds since 1970).
// Throws SqlWriteError on a fault of the generator.
std::string MakeAddressBookDatabase(const std::vector<SamplePerson>& people, int layout,
                                    int64_t createdAt);

// Adds the address book to "backup" as HomeDomain "Library/AddressBook/AddressBook.sqlitedb".
void AddAddressBook(SampleBackup& backup, const std::vector<SamplePerson>& people, int layout);

}  // namespace zbe::mkbackup
