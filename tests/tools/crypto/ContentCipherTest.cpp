#include "tools/crypto/ContentCipher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::Range;
using testing::ReadAll;
using testing::TempFolder;
using testing::ToHex;

TEST(ContentCipher, MatchesPublishedCiphertexts) {
  const Bytes key = Range(0x60, 32);
  const struct {
    std::string plain;
    const char* cipher;
  } vectors[] = {
      {"Hello, backup!\n", "6f1d5f41a6bccfc215250c57ba307f43"},
      // A whole block gains a whole block of padding.
      {"0123456789abcdef", "d65b3941f1775c6ad8d831ac4b4c32db1d12bae27e137aa1504433e8bdd0c1e4"},
      {"", "bf619edf9e6f14874f4b60883b10deb7"},
  };
  for (const auto& v : vectors) {
    Bytes cipher;
    ASSERT_EQ(EncryptBytes(AsBytes(v.plain), key, &cipher), kOk);
    EXPECT_EQ(ToHex(cipher), v.cipher);
    Bytes plain;
    ASSERT_EQ(DecryptBytes(cipher, key, PaddingRule::kStrict, &plain), kOk);
    EXPECT_EQ(AsText(plain), v.plain);
  }
  Bytes plain;
  ASSERT_EQ(DecryptBytes(Hex("78b51ca5374c3ad575174288688cda49"), Bytes(32, 0),
                         PaddingRule::kStrict, &plain),
            kOk);
  EXPECT_EQ(AsText(plain), "Test data");
}

TEST(ContentCipher, FilesRoundTripAcrossChunkBoundaries) {
  TempFolder tmp;
  const Bytes key = Range(7, 32);
  for (size_t size : {size_t{0}, size_t{1}, size_t{15}, size_t{16}, size_t{17},
                      (size_t{1} << 20) - 1, size_t{1} << 20, (size_t{1} << 20) + 17}) {
    const Bytes data = testing::RandomishBytes(size, static_cast<uint32_t>(size));
    testing::WriteAll(tmp / "plain", data);
    uint64_t n = 0;
    ASSERT_EQ(EncryptFile(tmp / "plain", key, tmp / "cipher", 0600, &n), kOk);
    EXPECT_EQ(n, size);
    const Bytes cipher = ReadAll(tmp / "cipher");
    EXPECT_EQ(cipher.size(), (size / 16 + 1) * 16);
    Bytes expected;
    ASSERT_EQ(EncryptBytes(data, key, &expected), kOk);
    EXPECT_EQ(cipher, expected) << size;
    ASSERT_EQ(DecryptFile(tmp / "cipher", key, tmp / "out", PaddingRule::kStrict, std::nullopt, &n),
              kOk);
    EXPECT_EQ(n, size);
    EXPECT_EQ(ReadAll(tmp / "out"), data) << size;
    EXPECT_EQ(testing::ModeOf(tmp / "out"), 0600u);
  }
}

TEST(ContentCipher, TruncatedFileWritesNothing) {
  TempFolder tmp;
  const Bytes key = Range(7, 32);
  Bytes cipher;
  ASSERT_EQ(EncryptBytes(Range(0, 100), key, &cipher), kOk);
  cipher.resize(cipher.size() - 3);
  testing::WriteAll(tmp / "cipher", cipher);
  uint64_t n = 0;
  EXPECT_EQ(DecryptFile(tmp / "cipher", key, tmp / "out", PaddingRule::kStrict, 100, &n),
            kTruncated);
  EXPECT_FALSE(testing::Exists(tmp / "out"));
  EXPECT_EQ(DecryptFile(tmp / "absent", key, tmp / "out", PaddingRule::kStrict, 100, &n),
            kMissingFile);
}

TEST(ContentCipher, BadPaddingKeepsABestEffortCutToTheRecordedSize) {
  TempFolder tmp;
  const Bytes key = Range(7, 32);
  const Bytes data = Range(0, 100);
  Bytes cipher;
  ASSERT_EQ(EncryptBytes(data, key, &cipher), kOk);
  cipher[cipher.size() - 20] ^= 0x55;  // garbles the last block's padding
  testing::WriteAll(tmp / "cipher", cipher);
  uint64_t n = 0;
  ASSERT_EQ(DecryptFile(tmp / "cipher", key, tmp / "out", PaddingRule::kStrict, 100, &n),
            kBadPadding);
  EXPECT_EQ(n, 100u);
  const Bytes out = ReadAll(tmp / "out");
  ASSERT_EQ(out.size(), 100u);
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 80, data.begin()));

  Bytes plain;
  EXPECT_EQ(DecryptBytes(Hex("78b51ca5374c3ad575174288688cda49"), Range(1, 32),
                         PaddingRule::kStrict, &plain),
            kBadPadding);
}

TEST(ContentCipher, AcceptsTheRealUnpaddedManifestOnlyWhenAsked) {
  const std::string path = std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000/Manifest.db";
  if (!testing::Exists(path)) {
    GTEST_SKIP() << "real data not present";
  }
  const Bytes cipher = ReadAll(path);
  Bytes plain;
  EXPECT_EQ(DecryptBytes(cipher, Bytes(32, 0), PaddingRule::kStrict, &plain), kBadPadding);
  ASSERT_EQ(DecryptBytes(cipher, Bytes(32, 0), PaddingRule::kAcceptUnpaddedSqlite, &plain), kOk);
  ASSERT_EQ(plain.size(), 8192u);
  EXPECT_EQ(AsText(ByteView(plain).first(16)), std::string_view("SQLite format 3\0", 16));
  // The same bytes under a wrong key are not taken for an unpadded database.
  EXPECT_EQ(DecryptBytes(cipher, Range(1, 32), PaddingRule::kAcceptUnpaddedSqlite, &plain),
            kBadPadding);
}

TEST(ContentCipher, RefusesToWriteThroughASymbolicLink) {
  TempFolder tmp;
  const Bytes key = Range(7, 32);
  testing::WriteAll(tmp / "plain", Range(0, 10));
  ASSERT_EQ(::symlink((tmp / "elsewhere").c_str(), (tmp / "link").c_str()), 0);
  uint64_t n = 0;
  EXPECT_EQ(EncryptFile(tmp / "plain", key, tmp / "link", 0600, &n), Result::System(ELOOP));
  EXPECT_FALSE(testing::Exists(tmp / "elsewhere"));
}

}  // namespace
}  // namespace zbe::crypto
