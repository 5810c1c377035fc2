#include "tools/crypto/ManifestPlist.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/PlistNodes.h"

namespace zbe::crypto {
namespace {

using testing::TempFolder;
using testing::ToHex;

TEST(ManifestPlist, ReadsTheRealEncryptedManifest) {
  const std::string dir = std::string(ZBE_REALDATA_DIR);
  if (!testing::Exists(dir + "/encrypted-pw0000/Manifest.plist")) {
    GTEST_SKIP() << "real data not present";
  }
  ManifestPlistKeys keys;
  ASSERT_EQ(ReadManifestPlist(dir + "/encrypted-pw0000/Manifest.plist", &keys), kOk);
  EXPECT_TRUE(keys.isEncrypted);
  EXPECT_EQ(keys.backupKeyBag, testing::ReadAll(dir + "/encrypted-pw0000-keybags/keybag-10.2.bin"));
  EXPECT_EQ(ToHex(keys.manifestKey),
            "02000000"
            "97317494343807e690fd1e431413963dc0e3deb4907fb89fa36ce65126d0ea1301381fb3a2941e2f");
  EXPECT_EQ(keys.productVersion, "10.3");
}

void WriteXml(const std::string& path, plist_t node) {
  char* xml = nullptr;
  uint32_t length = 0;
  plist_to_xml(node, &xml, &length);
  testing::WriteAll(path, ByteView(reinterpret_cast<const uint8_t*>(xml), length));
  plist_to_xml_free(xml);
}

TEST(ManifestPlist, SetEncryptionWritesKeysThatReadBackInEitherFormat) {
  TempFolder tmp;
  UniquePlist dict(plist_new_dict());
  plist_dict_set_item(dict.get(), "ManifestKey", plist_new_data("old", 3));
  plist_dict_set_item(dict.get(), "Version", plist_new_string("10.0"));
  const Bytes keybag = testing::Range(1, 50);
  SetManifestEncryption(dict.get(), keybag, {});
  EXPECT_EQ(plist_dict_get_item(dict.get(), "ManifestKey"), nullptr);
  const Bytes manifestKey = testing::Range(9, 44);
  SetManifestEncryption(dict.get(), keybag, manifestKey);
  EXPECT_NE(plist_dict_get_item(dict.get(), "Version"), nullptr);

  Bytes bin;
  ASSERT_EQ(ToBinaryPlist(dict.get(), &bin), kOk);
  testing::WriteAll(tmp / "bin.plist", bin);
  WriteXml(tmp / "xml.plist", dict.get());
  for (const char* name : {"bin.plist", "xml.plist"}) {
    ManifestPlistKeys keys;
    ASSERT_EQ(ReadManifestPlist(tmp / name, &keys), kOk) << name;
    EXPECT_TRUE(keys.isEncrypted);
    EXPECT_EQ(keys.backupKeyBag, keybag);
    EXPECT_EQ(keys.manifestKey, manifestKey);
    EXPECT_EQ(keys.productVersion, "");
  }
}

TEST(ManifestPlist, TellsMissingPlainAndDamagedApart) {
  TempFolder tmp;
  ManifestPlistKeys keys;
  EXPECT_EQ(ReadManifestPlist(tmp / "none.plist", &keys), kMissingFile);

  UniquePlist plain(plist_new_dict());
  plist_dict_set_item(plain.get(), "IsEncrypted", plist_new_bool(0));
  WriteXml(tmp / "plain.plist", plain.get());
  ASSERT_EQ(ReadManifestPlist(tmp / "plain.plist", &keys), kOk);
  EXPECT_FALSE(keys.isEncrypted);

  UniquePlist wrongType(plist_new_dict());
  plist_dict_set_item(wrongType.get(), "BackupKeyBag", plist_new_string("not data"));
  WriteXml(tmp / "wrong.plist", wrongType.get());
  EXPECT_EQ(ReadManifestPlist(tmp / "wrong.plist", &keys), kMalformed);

  testing::WriteAll(tmp / "junk.plist", AsBytes("not a property list"));
  EXPECT_EQ(ReadManifestPlist(tmp / "junk.plist", &keys), kMalformed);
}

}  // namespace
}  // namespace zbe::crypto
