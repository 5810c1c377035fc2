#include "backup/StoredFiles.h"

#include <gtest/gtest.h>

#include "backup/Sha1.h"

namespace zbe {
namespace {

TEST(WellKnownDatabases, AreTheSha1OfTheirManifestPaths) {
  EXPECT_EQ(Sha1Hex("HomeDomain-Library/SMS/sms.db"), "3d0d7e5fb2ce288813306e4d4636395e047a3d28");
  for (const WellKnownDatabase& database : kWellKnownDatabases) {
    std::string path = std::string(database.domain) + "-" + std::string(database.relativePath);
    EXPECT_EQ(Sha1Hex(path), database.hashedName) << path;
  }
}

TEST(StoredFilePath, FollowsTheLayout) {
  const std::string id = "3d0d7e5fb2ce288813306e4d4636395e047a3d28";
  EXPECT_EQ(StoredFilePath("/b", id, StoredFileLayout::kTwoLevel), "/b/3d/" + id);
  EXPECT_EQ(StoredFilePath("/b/", id, StoredFileLayout::kTwoLevel), "/b/3d/" + id);
  EXPECT_EQ(StoredFilePath("/b", id, StoredFileLayout::kFlat), "/b/" + id);
}

TEST(StoredFilePath, ReadsEncryptedBackupsFlatEvenWithManifestDb) {
  EXPECT_EQ(LayoutFor(/*encrypted=*/true, /*usesManifestDb=*/true), StoredFileLayout::kFlat);
  EXPECT_EQ(LayoutFor(false, true), StoredFileLayout::kTwoLevel);
  EXPECT_EQ(LayoutFor(false, false), StoredFileLayout::kFlat);
  EXPECT_EQ(LayoutFor(true, false), StoredFileLayout::kFlat);
}

const std::vector<ManifestEntry> kManifest = {
    {"HomeDomain-Library/SMS/sms.db", "aa11"},
    {"MediaDomain-Library/SMS/Attachments/ab/IMG_1.JPG", "bb22"},
    {"HomeDomain-Library/sms/other.db", "cc33"},
    {"HomeDomain-Library/SMS/sms.db-wal", "dd44"},
};

TEST(FindStoredFiles, MatchesSubstringsCaseSensitivelyInManifestOrder) {
  EXPECT_EQ(FindStoredFiles(kManifest, "sms.db", "/b", StoredFileLayout::kTwoLevel),
            (std::vector<std::string>{"/b/aa/aa11", "/b/dd/dd44"}));
  EXPECT_EQ(FindStoredFiles(kManifest, "/SMS/", "/b", StoredFileLayout::kFlat),
            (std::vector<std::string>{"/b/aa11", "/b/bb22", "/b/dd44"}));
  EXPECT_TRUE(FindStoredFiles(kManifest, "SMS.DB", "/b", StoredFileLayout::kFlat).empty());
}

TEST(FindWhatsAppDatabases, FindsBothDatabases) {
  std::vector<ManifestEntry> manifest = {
      {"HomeDomain-Library/x", "0000"},
      {"AppDomainGroup-group.net.whatsapp.WhatsApp.shared-Contacts.sqlite", "c0c0"},
      {"AppDomainGroup-group.net.whatsapp.WhatsApp.shared-ChatStorage.sqlite", "a1a1"},
  };
  WhatsAppDatabasePaths paths = FindWhatsAppDatabases(manifest, "/b", StoredFileLayout::kTwoLevel);
  EXPECT_EQ(paths.chatDatabase, "/b/a1/a1a1");
  EXPECT_EQ(paths.contactsDatabase, "/b/c0/c0c0");
}

TEST(FindWhatsAppDatabases, EndsAtTheSecondMatchOfEitherKind) {
  std::vector<ManifestEntry> manifest = {
      {"AppDomainGroup-group.net.whatsapp.WhatsApp.shared-ChatStorage.sqlite", "1111"},
      {"AppDomain-net.whatsapp.WhatsApp-Documents/ChatStorage.sqlite", "2222"},
      {"AppDomainGroup-group.net.whatsapp.WhatsApp.shared-Contacts.sqlite", "3333"},
  };
  WhatsAppDatabasePaths paths = FindWhatsAppDatabases(manifest, "/b", StoredFileLayout::kFlat);
  EXPECT_EQ(paths.chatDatabase, "/b/2222");  // the later match replaced the earlier
  EXPECT_EQ(paths.contactsDatabase, "");     // never reached
  EXPECT_EQ(FindWhatsAppDatabases({}, "/b", StoredFileLayout::kFlat).chatDatabase, "");
}

}  // namespace
}  // namespace zbe
