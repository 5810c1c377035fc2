#pragma once

#include <string>

namespace zbe {

// Tells an encrypted backup from a plain one by its address book: the stored
// "AddressBook.sqlitedb" (under its hashed name, in the folder's layout: two-level when the
// folder holds "Manifest.db", else flat; or that name followed by ".mddata") is read, and the
// backup counts as encrypted when its first 6 bytes are not "SQLite" (ASCII case ignored), so a
// file shorter than 6 bytes counts as encrypted. Without an address book the backup counts as
// plain. Only reads.
bool ProbeEncrypted(const std::string& folder);

}  // namespace zbe
