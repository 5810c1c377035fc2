#include "tools/mkbackup/EncryptedWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestFiles.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"
#include "tools/mkbackup/SampleContent.h"

namespace zbe::mkbackup {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;

crypto::Keybag KeybagOf(const std::string& folder, crypto::ManifestPlistKeys& keys) {
  crypto::Keybag keybag;
  EXPECT_EQ(crypto::ReadManifestPlist(folder + "/Manifest.plist", &keys), Result::Ok());
  EXPECT_EQ(crypto::ParseKeybag(keys.backupKeyBag, &keybag), Result::Ok());
  return keybag;
}

// The plain twin's stored file of "file" in "layout", and the encrypted backup's.
std::string StoredPath(const std::string& folder, const StoredFile& file, ManifestLayout layout) {
  std::string id = file.fileID();
  return layout == ManifestLayout::kDatabase ? folder + "/" + id.substr(0, 2) + "/" + id
                                             : folder + "/" + id;
}

class EncryptedWriterTest : public ::testing::Test {
 protected:
  TempFolder root_;
  TempFolder tmp_;  // the writer's temporary folder goes here
  ScopedEnv tmpdir_{"TMPDIR", tmp_.path().c_str()};
  SampleBackup sample_ = MakeSampleBackup({});
};

TEST_F(EncryptedWriterTest, WritesTheCurrentKeybagAndAnEncryptedManifestDb) {
  EncryptionSettings settings{"pw", false, 10};
  std::string error;
  ASSERT_EQ(WriteEncryptedBackup(sample_, root_ / "enc", {}, settings, error), 0) << error;
  crypto::ManifestPlistKeys keys;
  crypto::Keybag keybag = KeybagOf(root_ / "enc", keys);
  EXPECT_TRUE(keys.isEncrypted);
  EXPECT_EQ(keys.manifestKey.size(), 44u);
  EXPECT_EQ(keybag.iterations, 10u);
  EXPECT_EQ(keybag.dpIterations, 10u);
  EXPECT_EQ(keybag.dpSalt.size(), 20u);
  EXPECT_NE(ReadFile(root_ / "enc/Manifest.db").substr(0, 6), "SQLite");
  for (const StoredFile& file : sample_.files()) {
    if (file.flags() == 1) {
      std::string stored = ReadFile(StoredPath(root_ / "enc", file, ManifestLayout::kDatabase));
      // Padded to whole blocks and unreadable without the key.
      EXPECT_EQ(stored.size(), (file.contents.size() / 16 + 1) * 16) << file.manifestPath();
      if (!file.contents.empty()) {
        EXPECT_EQ(stored.find(file.contents.substr(0, 16)), std::string::npos);
      }
    }
  }
  // The plain copy it started from is gone.
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.path()));
}

TEST_F(EncryptedWriterTest, WritesTheOlderKeybagAndTheMbdbLayoutFlat) {
  EncryptionSettings settings{"pw", true, 12};
  std::string error;
  WriteOptions mbdb{ManifestLayout::kMbdb};
  ASSERT_EQ(WriteEncryptedBackup(sample_, root_ / "enc", mbdb, settings, error), 0) << error;
  crypto::ManifestPlistKeys keys;
  crypto::Keybag keybag = KeybagOf(root_ / "enc", keys);
  EXPECT_TRUE(keys.isEncrypted);
  EXPECT_TRUE(keys.manifestKey.empty());  // an mbdb holds the keys itself
  EXPECT_EQ(keybag.iterations, 12u);
  EXPECT_FALSE(keybag.dpIterations.has_value());
  EXPECT_TRUE(keybag.dpSalt.empty());
  EXPECT_EQ(ReadFile(root_ / "enc/Manifest.mbdb").substr(0, 4), "mbdb");
  for (const StoredFile& file : sample_.files()) {
    if (file.flags() == 1) {
      EXPECT_TRUE(std::filesystem::exists(StoredPath(root_ / "enc", file, ManifestLayout::kMbdb)));
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.path()));
}

TEST_F(EncryptedWriterTest, FailsOnAFolderThatIsNotEmptyAndCleansUp) {
  test::WriteFile(root_ / "enc/keep", "x");
  std::string error;
  EXPECT_NE(WriteEncryptedBackup(sample_, root_ / "enc", {}, {"pw", false, 10}, error), 0);
  EXPECT_NE(error.find("not empty"), std::string::npos);
  EXPECT_EQ(ReadFile(root_ / "enc/keep"), "x");
  EXPECT_TRUE(std::filesystem::is_empty(tmp_.path()));
}

}  // namespace
}  // namespace zbe::mkbackup
