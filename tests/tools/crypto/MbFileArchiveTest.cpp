#include "tools/crypto/MbFileArchive.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "records/SqliteDatabase.h"
#include "tools/crypto/ContentCipher.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/ManifestDbFiles.h"
#include "tools/crypto/PlistNodes.h"
#include "tools/crypto/SqliteHandles.h"

namespace zbe::crypto {
namespace {

using testing::Range;
using testing::TempFolder;
using testing::ToHex;

// The archive of the real encrypted backup's only row. Its manifest key is all zeros.
Bytes RealArchive(const TempFolder& tmp) {
  const std::string path = std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000/Manifest.db";
  if (!testing::Exists(path)) {
    return {};
  }
  Bytes plain;
  EXPECT_EQ(DecryptBytes(testing::ReadAll(path), Bytes(32, 0), PaddingRule::kAcceptUnpaddedSqlite,
                         &plain),
            kOk);
  testing::WriteAll(tmp / "Manifest.db", plain);
  SqliteDatabase db;
  EXPECT_TRUE(db.Open(tmp / "Manifest.db").ok());
  Bytes blob;
  EXPECT_EQ(ForEachFilesRow(db.handle(),
                            [&](const ManifestDbRow& row) {
                              blob = row.file.value_or(Bytes());
                              EXPECT_FALSE(IsRegularFileRow(row, nullptr));
                              return kOk;
                            }),
            kOk);
  return blob;
}

TEST(MbFileArchive, ReadsTheRealArchiveWithReferencedKeyData) {
  TempFolder tmp;
  const Bytes blob = RealArchive(tmp);
  if (blob.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  MbFile file;
  ASSERT_EQ(ReadMbFile(blob, &file), kOk);
  EXPECT_EQ(file.relativePath, "Media/Test.txt");
  EXPECT_EQ(file.size, 9u);
  EXPECT_EQ(file.mode, 33261u);
  EXPECT_TRUE(file.IsRegularFile());
  EXPECT_FALSE(file.protectionClass);
  EXPECT_EQ(file.userId, 501u);
  EXPECT_EQ(file.birth, 1627974948u);
  EXPECT_EQ(ToHex(file.encryptionKey),
            "02000000"
            "97317494343807e690fd1e431413963dc0e3deb4907fb89fa36ce65126d0ea1301381fb3a2941e2f");
  // Its row has flags 0; the archive's mode makes it a file.
  ManifestDbRow row;
  row.flags = 0;
  EXPECT_TRUE(IsRegularFileRow(row, &file));
}

TEST(MbFileArchive, WrittenArchiveHasTheKeyedArchiveShapeAndReadsBack) {
  MbFile file;
  file.relativePath = "Library/Test/hello.txt";
  file.size = 15;
  file.mode = 0100644;
  file.protectionClass = 3;
  file.inode = 123456;
  file.lastModified = 1700000000;
  file.encryptionKey = Range(3, 44);
  Bytes blob;
  ASSERT_EQ(WriteMbFile(file, &blob), kOk);

  UniquePlist top = ParsePlist(blob);
  EXPECT_EQ(StringValue(DictItem(top.get(), "$archiver")), "NSKeyedArchiver");
  EXPECT_EQ(UintValue(DictItem(top.get(), "$version")), 100000u);
  plist_t objects = DictItem(top.get(), "$objects");
  EXPECT_EQ(StringValue(plist_array_get_item(objects, 0)), "$null");
  plist_t root = plist_array_get_item(objects, 1);
  plist_t keyRef = DictItem(root, "EncryptionKey");
  ASSERT_EQ(plist_get_node_type(keyRef), PLIST_UID);
  uint64_t keyIndex = 0;
  plist_get_uid_val(keyRef, &keyIndex);
  EXPECT_TRUE(DataValue(
      DictItem(plist_array_get_item(objects, static_cast<uint32_t>(keyIndex)), "NS.data")));

  MbFile read;
  ASSERT_EQ(ReadMbFile(blob, &read), kOk);
  EXPECT_EQ(read.relativePath, file.relativePath);
  EXPECT_EQ(read.size, 15u);
  EXPECT_EQ(read.protectionClass, 3u);
  EXPECT_EQ(read.inode, 123456u);
  EXPECT_EQ(read.lastModified, 1700000000u);
  EXPECT_EQ(read.encryptionKey, file.encryptionKey);
  EXPECT_FALSE(read.birth);
}

TEST(MbFileArchive, ReadsInlineVariants) {
  UniquePlist top(plist_new_dict());
  plist_t objects = plist_new_array();
  plist_array_append_item(objects, plist_new_string("$null"));
  plist_t root = plist_new_dict();
  const Bytes key = Range(1, 44);
  plist_dict_set_item(root, "EncryptionKey",
                      plist_new_data(reinterpret_cast<const char*>(key.data()), key.size()));
  plist_t nsString = plist_new_dict();
  plist_dict_set_item(nsString, "NS.string", plist_new_string("Media/a.jpg"));
  plist_dict_set_item(root, "RelativePath", nsString);
  plist_array_append_item(objects, root);
  plist_dict_set_item(top.get(), "$objects", objects);  // no "$top": root is object 1
  Bytes blob;
  ASSERT_EQ(ToBinaryPlist(top.get(), &blob), kOk);
  MbFile file;
  ASSERT_EQ(ReadMbFile(blob, &file), kOk);
  EXPECT_EQ(file.encryptionKey, key);
  EXPECT_EQ(file.relativePath, "Media/a.jpg");
  EXPECT_EQ(ReadMbFile(AsBytes("bplist00 nonsense"), &file), kMalformed);

  // A key holder without its data is damage, not a file stored plain.
  plist_dict_set_item(root, "EncryptionKey", plist_new_dict());
  ASSERT_EQ(ToBinaryPlist(top.get(), &blob), kOk);
  EXPECT_EQ(ReadMbFile(blob, &file), kMalformed);
}

TEST(MbFileArchive, SettingEncryptionKeepsEverythingElse) {
  TempFolder tmp;
  Bytes original = RealArchive(tmp);
  if (original.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  Bytes changed;
  ASSERT_EQ(SetMbFileEncryption(original, Range(5, 44), 3, 999, &changed), kOk);
  MbFile before;
  MbFile after;
  ASSERT_EQ(ReadMbFile(original, &before), kOk);
  ASSERT_EQ(ReadMbFile(changed, &after), kOk);
  EXPECT_EQ(after.encryptionKey, Range(5, 44));
  EXPECT_EQ(after.protectionClass, 3u);
  EXPECT_EQ(after.size, 9u);  // a recorded size is kept
  EXPECT_EQ(after.relativePath, before.relativePath);
  EXPECT_EQ(after.mode, before.mode);
  EXPECT_EQ(after.birth, before.birth);
  EXPECT_EQ(after.lastStatusChange, before.lastStatusChange);

  MbFile sizeless;
  sizeless.relativePath = "x";
  Bytes blob;
  ASSERT_EQ(WriteMbFile(sizeless, &blob), kOk);
  ASSERT_EQ(SetMbFileEncryption(blob, Range(5, 44), 4, 77, &changed), kOk);
  ASSERT_EQ(ReadMbFile(changed, &after), kOk);
  EXPECT_EQ(after.size, 77u);
}

TEST(MbFileArchive, RefusesToSetTheKeyOfAnArchiveLibplistCannotWriteBack) {
  // Found by fuzzing: a "$top" key "root" followed by a byte that is not UTF-8 was written back
  // as "root", which then named no object, and the copy no longer read.
  UniquePlist top(plist_new_dict());
  plist_t objects = plist_new_array();
  plist_array_append_item(objects, plist_new_string("$null"));
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "RelativePath", plist_new_string("Media/a.jpg"));
  plist_array_append_item(objects, root);
  plist_dict_set_item(top.get(), "$objects", objects);
  plist_t topRef = plist_new_dict();
  plist_dict_set_item(topRef, "rootX", plist_new_string("$null"));
  plist_dict_set_item(top.get(), "$top", topRef);
  Bytes blob;
  ASSERT_EQ(ToBinaryPlist(top.get(), &blob), kOk);
  const std::string marker = "rootX";
  auto at = std::search(blob.begin(), blob.end(), marker.begin(), marker.end());
  ASSERT_NE(at, blob.end());
  at[4] = 0x80;

  MbFile file;
  ASSERT_EQ(ReadMbFile(blob, &file), kOk);  // no "root": the root is object 1
  EXPECT_EQ(file.relativePath, "Media/a.jpg");
  Bytes changed;
  EXPECT_EQ(SetMbFileEncryption(blob, Range(5, 44), 3, 1, &changed), kUnsupported);
  EXPECT_TRUE(changed.empty());
}

}  // namespace
}  // namespace zbe::crypto
