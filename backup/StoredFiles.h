#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "backup/ManifestEntry.h"

namespace zbe {

// Well-known stored databases, opened under their hashed names without consulting the
// manifest. Each name is the SHA-1 of the database's manifest path (domain "-" relative path).
inline constexpr std::string_view kAddressBookHashedName =
    "31bb7ba8914766d4ba40d6dfb6113c8b614be442";  // HomeDomain-Library/AddressBook/AddressBook.sqlitedb
inline constexpr std::string_view kMessagesHashedName =
    "3d0d7e5fb2ce288813306e4d4636395e047a3d28";  // HomeDomain-Library/SMS/sms.db
inline constexpr std::string_view kCallHistoryHashedName =
    "5a4935c78a5255723f707230a451d79c540d2741";  // the newer call history; tried first
inline constexpr std::string_view kOldCallHistoryHashedName =
    "2b2b0084a1bc3a5ac8c27afdf14afb42c61a19ca";  // call_history.db, when the newer one is absent
inline constexpr std::string_view kOldNotesHashedName =
    "ca3bc056d4da0bbf88b5fb3be254f3b7147e639c";  // notes.sqlite; read first
inline constexpr std::string_view kNotesHashedName =
    "4f98687d8ab0d6d1a371110e6b7300f6e465bef2";  // the newer notes database

// The manifest path behind each well-known name, for tools that write sample backups.
struct WellKnownDatabase {
  std::string_view hashedName;
  std::string_view domain;
  std::string_view relativePath;
};
inline constexpr WellKnownDatabase kWellKnownDatabases[] = {
    {kAddressBookHashedName, "HomeDomain", "Library/AddressBook/AddressBook.sqlitedb"},
    {kMessagesHashedName, "HomeDomain", "Library/SMS/sms.db"},
    {kCallHistoryHashedName, "HomeDomain", "Library/CallHistoryDB/CallHistory.storedata"},
    {kOldCallHistoryHashedName, "WirelessDomain", "Library/CallHistory/call_history.db"},
    {kOldNotesHashedName, "HomeDomain", "Library/Notes/notes.sqlite"},
    {kNotesHashedName, "AppDomainGroup-group.com.apple.notes", "NoteStore.sqlite"},
};

// Where a backup keeps its stored files: a backup with "Manifest.db" in 256 subfolders named
// after the first two characters of the file ID; one with "Manifest.mbdb", and every decrypted
// copy, directly in the folder.
enum class StoredFileLayout { kFlat, kTwoLevel };

// The layout in which stored files are read: flat for an encrypted backup (read from its
// decrypted copies) even when it has "Manifest.db"; else two-level with "Manifest.db".
StoredFileLayout LayoutFor(bool encrypted, bool usesManifestDb);

// The path of the stored file "fileID" in "backupFolder" (which may end in "/" or not).
std::string StoredFilePath(const std::string& backupFolder, std::string_view fileID,
                           StoredFileLayout layout);

// The stored paths of the manifest entries whose path contains "name" (case-sensitive), in
// manifest order.
std::vector<std::string> FindStoredFiles(const std::vector<ManifestEntry>& manifest,
                                         std::string_view name, const std::string& backupFolder,
                                         StoredFileLayout layout);

// The WhatsApp databases, which have no fixed name: empty paths when not found.
struct WhatsAppDatabasePaths {
  std::string chatDatabase;      // the stored "ChatStorage.sqlite"
  std::string contactsDatabase;  // the stored "Contacts.sqlite"
};

// Walks the manifest in order: an entry whose path contains "ChatStorage.sqlite" sets the chat
// database, otherwise one that contains "Contacts.sqlite" sets the contacts database (a later
// match replaces an earlier one of its kind); the walk ends at the second match of either kind.
WhatsAppDatabasePaths FindWhatsAppDatabases(const std::vector<ManifestEntry>& manifest,
                                            const std::string& backupFolder,
                                            StoredFileLayout layout);

}  // namespace zbe
