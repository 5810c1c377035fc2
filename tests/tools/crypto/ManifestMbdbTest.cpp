#include "tools/crypto/ManifestMbdb.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/FileId.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::ToHex;

TEST(ManifestMbdb, ParsesTheRealRecordWithItsEncryptionKey) {
  const std::string path =
      std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000-keybags/encrypted-record.mbdb";
  if (!testing::Exists(path)) {
    GTEST_SKIP() << "real data not present";
  }
  const Bytes data = testing::ReadAll(path);
  std::vector<MbdbRecord> records;
  bool truncated = true;
  ASSERT_EQ(ParseMbdb(data, &records, &truncated), kOk);
  EXPECT_FALSE(truncated);
  ASSERT_EQ(records.size(), 1u);
  const MbdbRecord& r = records[0];
  EXPECT_EQ(r.domain, "MyTestDomain");
  EXPECT_EQ(r.path, "Media/Test.txt");
  EXPECT_FALSE(r.linkTarget);
  EXPECT_FALSE(r.dataHash);
  ASSERT_TRUE(r.encryptionKey);
  EXPECT_EQ(ToHex(AsBytes(*r.encryptionKey)),
            "04000000"
            "97317494343807e690fd1e431413963dc0e3deb4907fb89fa36ce65126d0ea1301381fb3a2941e2f");
  EXPECT_TRUE(r.IsRegularFile());
  EXPECT_EQ(r.userId, 501u);
  EXPECT_EQ(r.size, 9u);
  EXPECT_EQ(r.protectionClass, 4u);
  EXPECT_TRUE(r.properties.empty());
  EXPECT_EQ(ComputeFileId(*r.domain, *r.path), "5727bd1c5fa1055e15d8b4a75a74793c84b5ffdc");
  Bytes written;
  ASSERT_EQ(SerializeMbdb(records, &written), kOk);
  EXPECT_EQ(written, data);
}

MbdbRecord VectorRecord() {
  MbdbRecord r;
  r.domain = "HomeDomain";
  r.path = "Library/Test/hello.txt";
  const Bytes key = Hex(
      "03000000838fd5a6e263fbd3a563e678bf04e10ceb8e921406bdd4c53e486afeb41c73d10e565eadc42515b4");
  r.encryptionKey = std::string(key.begin(), key.end());
  r.mode = 0100644;
  r.inode = 123456;
  r.userId = r.groupId = 501;
  r.lastModified = r.lastStatusChange = r.birth = 1700000000;
  r.size = 15;
  r.protectionClass = 3;
  return r;
}

TEST(ManifestMbdb, WritesTheExactRecordLayout) {
  Bytes data;
  ASSERT_EQ(SerializeMbdb({VectorRecord()}, &data), kOk);
  EXPECT_EQ(ToHex(data),
            "6d6264620500"
            "000a486f6d65446f6d61696e"
            "00164c6962726172792f546573742f68656c6c6f2e747874"
            "ffff"
            "ffff"
            "002c03000000838fd5a6e263fbd3a563e678bf04e10ceb8e921406bdd4c53e486afeb41c73d10e565e"
            "adc42515b4"
            "81a4000000000001e240000001f5000001f56553f1006553f1006553f100000000000000000f0300");
  EXPECT_EQ(ComputeFileId("HomeDomain", "Library/Test/hello.txt"),
            "691d95c4d4859711a6e3274cbdab6dbd70ff5041");
}

TEST(ManifestMbdb, KeepsAbsentEmptyAndPropertiesApart) {
  MbdbRecord r = VectorRecord();
  r.linkTarget = "";
  r.properties = {{std::string("name"), std::nullopt}, {std::string(""), std::string("v")}};
  Bytes data;
  ASSERT_EQ(SerializeMbdb({r, VectorRecord()}, &data), kOk);
  std::vector<MbdbRecord> read;
  bool truncated = false;
  ASSERT_EQ(ParseMbdb(data, &read, &truncated), kOk);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].linkTarget, "");
  EXPECT_FALSE(read[1].linkTarget);
  EXPECT_EQ(read[0].properties, r.properties);
}

TEST(ManifestMbdb, StopsAtARecordThatRunsPastTheEnd) {
  Bytes data;
  ASSERT_EQ(SerializeMbdb({VectorRecord(), VectorRecord()}, &data), kOk);
  data.pop_back();
  std::vector<MbdbRecord> read;
  bool truncated = false;
  ASSERT_EQ(ParseMbdb(data, &read, &truncated), kOk);
  EXPECT_TRUE(truncated);
  EXPECT_EQ(read.size(), 1u);
  EXPECT_EQ(ParseMbdb(AsBytes("mbdx\x02\x00"), &read, &truncated), kMalformed);
}

TEST(FileId, HashesDomainAndPathAndValidatesNames) {
  EXPECT_EQ(ComputeFileId("HomeDomain", "Library/SMS/sms.db"),
            "3d0d7e5fb2ce288813306e4d4636395e047a3d28");
  EXPECT_TRUE(IsValidFileId("3d0d7e5fb2ce288813306e4d4636395e047a3d28"));
  EXPECT_TRUE(IsValidFileId("3D0D7E5FB2CE288813306E4D4636395E047A3D28"));
  EXPECT_FALSE(IsValidFileId("3d0d7e5fb2ce288813306e4d4636395e047a3d2"));
  EXPECT_FALSE(IsValidFileId("../d7e5fb2ce288813306e4d4636395e047a3d28a"));
  EXPECT_FALSE(IsValidFileId("3d0d7e5fb2ce288813306e4d4636395e047a3d2g"));
}

}  // namespace
}  // namespace zbe::crypto
