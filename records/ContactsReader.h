#pragma once

#include <cstdint>
#include <string>

#include "records/Records.h"
#include "records/Result.h"

namespace zbe {

// The name given to an address-book entry that has neither a first nor a last name.
inline constexpr const char* kNoContactName = "No Name";

// Reads the address book at "addressBookPath" (either column layout, see
// records/AddressBookQuery.h) and, when it opens, replaces the content of "contacts" with its
// entries that have a phone text, "No Name" standing in for an empty name, sorted by name
// (ASCII-case-insensitive, ascending; equal names next to each other in no fixed order).
// Returns success; SQLite's open code when the database cannot be opened ("contacts" is then
// left as it was); or 1006 when the first layout is refused (the list then holds what the
// second layout gave, possibly nothing).
Result ReadContactsDatabase(const std::string& addressBookPath, ContactList& contacts);

}  // namespace zbe
