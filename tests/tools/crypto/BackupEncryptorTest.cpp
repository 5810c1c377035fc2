#include "tools/crypto/BackupEncryptor.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "platform/FileSystem.h"
#include "records/SqliteDatabase.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestDbFiles.h"
#include "tools/crypto/ManifestMbdb.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/PrefixedKey.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {
namespace {

using testing::ReadAll;
using testing::TempFolder;

EncryptOptions FastOptions(KeybagKind kind) {
  EncryptOptions options;
  options.keybagKind = kind;
  options.iterations = 3;
  options.dpIterations = 5;
  options.seed = 11;
  return options;
}

// Reads Manifest.plist of an encrypted folder and unlocks its keys with "password".
ManifestPlistKeys Unlock(const std::string& folder, std::string_view password, Keybag* bag,
                         ClassKeys* keys) {
  ManifestPlistKeys plistKeys;
  EXPECT_EQ(ReadManifestPlist(folder + "/Manifest.plist", &plistKeys), kOk);
  EXPECT_EQ(ParseKeybag(plistKeys.backupKeyBag, bag), kOk);
  EXPECT_EQ(UnlockWithPassword(*bag, AsBytes(password), keys), kOk);
  return plistKeys;
}

TEST(BackupEncryptor, EncryptsTheManifestDbLayoutAsDevicesDo) {
  TempFolder tmp;
  const auto files = testing::SampleFiles();
  testing::WritePlainDbBackup(tmp / "plain", files);
  const testing::FolderSnapshot plainBefore = testing::Snapshot(tmp / "plain");
  EncryptReport report;
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "enc", "pass word",
                                FastOptions(KeybagKind::kModern), &report),
            kOk);
  EXPECT_EQ(report.filesEncrypted, files.size());
  EXPECT_EQ(report.filesMissing, 0u);
  EXPECT_EQ(testing::Snapshot(tmp / "plain"), plainBefore);
  EXPECT_EQ(testing::ModeOf(tmp / "enc"), 0700u);
  EXPECT_EQ(ReadAll(tmp / "enc/Info.plist"), ReadAll(tmp / "plain/Info.plist"));
  EXPECT_TRUE(testing::Exists(tmp / "enc/Status.plist"));

  Keybag bag;
  ClassKeys keys;
  const ManifestPlistKeys plistKeys = Unlock(tmp / "enc", "pass word", &bag, &keys);
  EXPECT_TRUE(plistKeys.isEncrypted);
  EXPECT_EQ(bag.dpIterations, 5u);
  EXPECT_EQ(bag.iterations, 3u);
  EXPECT_EQ(plistKeys.productVersion, "16.1");
  ASSERT_EQ(plistKeys.manifestKey.size(), 44u);
  EXPECT_EQ(plistKeys.manifestKey[0], 4);

  const Bytes encryptedDb = ReadAll(tmp / "enc/Manifest.db");
  EXPECT_EQ(encryptedDb.size() % 16, 0u);
  EXPECT_NE(AsText(ByteView(encryptedDb).first(6)), "SQLite");
  SecretBytes dbKey;
  ASSERT_EQ(UnwrapPrefixedKey(keys, plistKeys.manifestKey, std::nullopt, &dbKey), kOk);
  Bytes plainDb;
  ASSERT_EQ(DecryptBytes(encryptedDb, dbKey, PaddingRule::kStrict, &plainDb), kOk);
  testing::WriteAll(tmp / "decrypted.db", plainDb);
  EXPECT_EQ(testing::FilesRows(tmp / "decrypted.db"),
            testing::FilesRows(tmp / "plain/Manifest.db"));

  SqliteDatabase db;
  ASSERT_TRUE(db.Open(tmp / "decrypted.db").ok());
  size_t checked = 0;
  ASSERT_EQ(
      ForEachFilesRow(
          db.handle(),
          [&](const ManifestDbRow& row) {
            MbFile archive;
            EXPECT_EQ(ReadMbFile(*row.file, &archive), kOk);
            if (row.flags != kFilesFlagFile) {
              EXPECT_TRUE(archive.encryptionKey.empty());
              return kOk;
            }
            const auto& f = files[checked++];
            EXPECT_EQ(archive.protectionClass, f.protectionClass.value_or(3));
            EXPECT_EQ(archive.size, f.content.size());
            const std::string stored = tmp / ("enc/" + row.fileId.substr(0, 2) + "/" + row.fileId);
            const Bytes cipher = ReadAll(stored);
            EXPECT_EQ(cipher.size(), (f.content.size() / 16 + 1) * 16);
            SecretBytes key;
            EXPECT_EQ(UnwrapPrefixedKey(keys, archive.encryptionKey, archive.protectionClass, &key),
                      kOk);
            Bytes plain;
            EXPECT_EQ(DecryptBytes(cipher, key, PaddingRule::kStrict, &plain), kOk);
            EXPECT_EQ(plain, f.content) << f.relativePath;
            return kOk;
          }),
      kOk);
  EXPECT_EQ(checked, files.size());
}

TEST(BackupEncryptor, EncryptsTheMbdbLayoutWithKeysInTheRecords) {
  TempFolder tmp;
  const auto files = testing::SampleFiles();
  testing::WritePlainMbdbBackup(tmp / "plain", files);
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "enc", "pw", FastOptions(KeybagKind::kLegacy),
                                nullptr),
            kOk);
  Keybag bag;
  ClassKeys keys;
  const ManifestPlistKeys plistKeys = Unlock(tmp / "enc", "pw", &bag, &keys);
  EXPECT_TRUE(plistKeys.manifestKey.empty());
  EXPECT_FALSE(bag.dpIterations);
  EXPECT_FALSE(testing::Exists(tmp / "enc/Manifest.db"));

  std::vector<MbdbRecord> records;
  bool truncated = false;
  ASSERT_EQ(ParseMbdb(ReadAll(tmp / "enc/Manifest.mbdb"), &records, &truncated), kOk);
  ASSERT_EQ(records.size(), files.size() + 1);
  EXPECT_FALSE(records[0].encryptionKey);  // the folder record
  for (size_t i = 0; i < files.size(); ++i) {
    const MbdbRecord& r = records[i + 1];
    ASSERT_TRUE(r.encryptionKey);
    ASSERT_EQ(r.encryptionKey->size(), 44u);
    EXPECT_EQ(static_cast<uint8_t>((*r.encryptionKey)[0]), r.protectionClass);
    EXPECT_EQ(r.properties.size(), 1u);
    SecretBytes key;
    ASSERT_EQ(UnwrapPrefixedKey(keys, AsBytes(*r.encryptionKey), r.protectionClass, &key), kOk);
    Bytes plain;
    ASSERT_EQ(DecryptBytes(ReadAll(tmp / ("enc/" + files[i].FileId())), key, PaddingRule::kStrict,
                           &plain),
              kOk);
    EXPECT_EQ(plain, files[i].content);
  }
}

TEST(BackupEncryptor, SeededRunsAreReproducibleAndRandomRunsAreNot) {
  TempFolder tmp;
  testing::WritePlainDbBackup(tmp / "plain", testing::SampleFiles());
  EncryptOptions options = FastOptions(KeybagKind::kModern);
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "a", "pw", options, nullptr), kOk);
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "b", "pw", options, nullptr), kOk);
  EXPECT_EQ(testing::Snapshot(tmp / "a"), testing::Snapshot(tmp / "b"));
  options.seed.reset();
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "c", "pw", options, nullptr), kOk);
  EXPECT_NE(ReadAll(tmp / "a/Manifest.plist"), ReadAll(tmp / "c/Manifest.plist"));
}

TEST(BackupEncryptor, RefusesUnsafeOrUnusableRequests) {
  TempFolder tmp;
  testing::WritePlainDbBackup(tmp / "plain", testing::SampleFiles());
  const EncryptOptions options = FastOptions(KeybagKind::kModern);
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "plain/inner", "pw", options, nullptr),
            kBadArgument);
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp.path(), "pw", options, nullptr), kBadArgument);
  ASSERT_EQ(CreateFolders(tmp / "full", 0700), 0);
  testing::WriteAll(tmp / "full/keep", AsBytes("mine"));
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "full", "pw", options, nullptr),
            Result::System(EEXIST));
  EXPECT_EQ(testing::ReadText(tmp / "full/keep"), "mine");
  EXPECT_EQ(EncryptBackupFolder(tmp / "full", tmp / "out", "pw", options, nullptr), kMissingFile);

  testing::WriteAll(tmp / "plain/Manifest.db-wal", AsBytes("pending rows"));
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "out", "pw", options, nullptr), kBadArgument);
  std::filesystem::remove(tmp / "plain/Manifest.db-wal");

  EncryptOptions badClass = options;
  badClass.protectionClass = 5;
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "out", "pw", badClass, nullptr), kBadArgument);
  EncryptOptions noRounds = options;
  noRounds.iterations = 0;
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "out", "pw", noRounds, nullptr), kImplausible);
  ASSERT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "enc", "pw", options, nullptr), kOk);
  // An encrypted backup is no plain input.
  EXPECT_EQ(EncryptBackupFolder(tmp / "enc", tmp / "out", "pw", options, nullptr), kBadArgument);
  EXPECT_FALSE(testing::Exists(tmp / "out"));
}

TEST(BackupEncryptor, CleansUpAfterAFailureHalfWay) {
  TempFolder tmp;
  auto files = testing::SampleFiles();
  testing::WritePlainDbBackup(tmp / "plain", files);
  // A row whose file ID is no file name stops the run after other files were written.
  UniqueSqlite db;
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open((tmp / "plain/Manifest.db").c_str(), &raw), SQLITE_OK);
  db.reset(raw);
  ASSERT_EQ(sqlite3_exec(db.get(),
                         "INSERT INTO Files VALUES ('../../etc/passwd-0000000000000000000000', "
                         "'D', 'p', 1, NULL)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  db.reset();
  EncryptReport report;
  EXPECT_EQ(EncryptBackupFolder(tmp / "plain", tmp / "enc", "pw", FastOptions(KeybagKind::kModern),
                                &report),
            kMalformed);
  EXPECT_TRUE(testing::Snapshot(tmp / "enc").files.empty());
  EXPECT_EQ(report.filesEncrypted, 0u);
}

}  // namespace
}  // namespace zbe::crypto
