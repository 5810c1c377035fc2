#include "backup/EncryptionProbe.h"

#include <gtest/gtest.h>

#include "backup/StoredFiles.h"
#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::TempFolder;
using test::WriteFile;

const std::string kFlatAddressBook = std::string(kAddressBookHashedName);
const std::string kTwoLevelAddressBook = "31/" + std::string(kAddressBookHashedName);
const std::string kSqliteHeader = std::string("SQLite format 3\0", 16) + std::string(100, '\0');

TEST(ProbeEncrypted, WithoutAnAddressBookABackupIsPlain) {
  TempFolder folder;
  EXPECT_FALSE(ProbeEncrypted(folder.path()));
  EXPECT_FALSE(ProbeEncrypted(folder / "missing"));
}

TEST(ProbeEncrypted, ReadsTheAddressBooksFirstBytes) {
  TempFolder folder;
  WriteFile(folder / kFlatAddressBook, kSqliteHeader);
  EXPECT_FALSE(ProbeEncrypted(folder.path()));
  WriteFile(folder / kFlatAddressBook, "sqLITE, case does not matter");
  EXPECT_FALSE(ProbeEncrypted(folder.path()));
  WriteFile(folder / kFlatAddressBook, std::string(600, '\x9C'));
  EXPECT_TRUE(ProbeEncrypted(folder.path()));
}

TEST(ProbeEncrypted, CountsAShortAddressBookAsEncrypted) {
  TempFolder folder;
  WriteFile(folder / kFlatAddressBook, "SQLit");
  EXPECT_TRUE(ProbeEncrypted(folder.path()));
  WriteFile(folder / kFlatAddressBook, "");
  EXPECT_TRUE(ProbeEncrypted(folder.path()));
}

TEST(ProbeEncrypted, LooksInTheTwoLevelLayoutWithManifestDb) {
  TempFolder folder;
  WriteFile(folder / "Manifest.db", "");
  // A flat copy is not where a Manifest.db backup keeps it.
  WriteFile(folder / kFlatAddressBook, "encrypted bytes");
  EXPECT_FALSE(ProbeEncrypted(folder.path()));
  WriteFile(folder / kTwoLevelAddressBook, "encrypted bytes");
  EXPECT_TRUE(ProbeEncrypted(folder.path()));
}

TEST(ProbeEncrypted, FallsBackToTheMddataName) {
  TempFolder folder;
  WriteFile(folder / (kFlatAddressBook + ".mddata"), "encrypted");
  EXPECT_TRUE(ProbeEncrypted(folder.path()));
}

}  // namespace
}  // namespace zbe
