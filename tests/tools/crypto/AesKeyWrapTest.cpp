#include "tools/crypto/AesKeyWrap.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::Range;
using testing::ToHex;

struct WrapVector {
  size_t kekSize;
  const char* keyData;
  const char* wrapped;
};

// RFC 3394 section 4: every KEK is 00 01 02 ... of the given size.
const WrapVector kRfc3394[] = {
    {16, "00112233445566778899AABBCCDDEEFF", "1FA68B0A8112B447AEF34BD8FB5A7B829D3E862371D2CFE5"},
    {24, "00112233445566778899AABBCCDDEEFF", "96778B25AE6CA435F92B5B97C050AED2468AB8A17AD84E5D"},
    {32, "00112233445566778899AABBCCDDEEFF", "64E8C3F9CE0F5BA263E9777905818A2A93C8191E7D6E8AE7"},
    {24, "00112233445566778899AABBCCDDEEFF0001020304050607",
     "031D33264E15D33268F24EC260743EDCE1C6C7DDEE725A936BA814915C6762D2"},
    {32, "00112233445566778899AABBCCDDEEFF0001020304050607",
     "A8F9BC1612C68B3FF6E6F4FBE30E71E4769C8B80A32CB8958CD5D17D6B254DA1"},
    {32, "00112233445566778899AABBCCDDEEFF000102030405060708090A0B0C0D0E0F",
     "28C9F404C4B810F4CBCCB35CFB87F8263F5786E2D80ED326CBC7F0E71A99F43BFB988B9B7A02DD21"},
};

TEST(AesKeyWrap, MatchesRfc3394Vectors) {
  for (const WrapVector& v : kRfc3394) {
    const Bytes kek = Range(0, v.kekSize);
    Bytes wrapped;
    ASSERT_EQ(AesKeyWrap(kek, Hex(v.keyData), &wrapped), kOk);
    EXPECT_EQ(wrapped, Hex(v.wrapped)) << v.wrapped;
    SecretBytes unwrapped;
    ASSERT_EQ(AesKeyUnwrap(kek, Hex(v.wrapped), &unwrapped), kOk);
    EXPECT_EQ(Bytes(unwrapped.begin(), unwrapped.end()), Hex(v.keyData));
  }
}

TEST(AesKeyWrap, WrapsZeroKeyUnderZeroKek) {
  Bytes wrapped;
  ASSERT_EQ(AesKeyWrap(Bytes(32, 0), Bytes(32, 0), &wrapped), kOk);
  EXPECT_EQ(ToHex(wrapped),
            "97317494343807e690fd1e431413963dc0e3deb4907fb89fa36ce65126d0ea1301381fb3a2941e2f");
}

TEST(AesKeyWrap, AnyFlippedBitFailsTheIntegrityCheck) {
  const Bytes kek = Range(0, 32);
  const Bytes good = Hex(kRfc3394[5].wrapped);
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    Bytes bad = good;
    bad[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    SecretBytes out;
    ASSERT_EQ(AesKeyUnwrap(kek, bad, &out), kUnwrapFailed) << "bit " << bit;
    EXPECT_TRUE(out.empty());
  }
}

TEST(AesKeyWrap, WrongKekFails) {
  SecretBytes out;
  EXPECT_EQ(AesKeyUnwrap(Range(1, 32), Hex(kRfc3394[5].wrapped), &out), kUnwrapFailed);
}

TEST(AesKeyWrap, RejectsImpossibleSizes) {
  Bytes wrapped;
  SecretBytes out;
  EXPECT_EQ(AesKeyWrap(Range(0, 20), Range(0, 32), &wrapped), kBadArgument);
  EXPECT_EQ(AesKeyWrap(Range(0, 32), Range(0, 8), &wrapped), kBadArgument);
  EXPECT_EQ(AesKeyWrap(Range(0, 32), Range(0, 33), &wrapped), kBadArgument);
  EXPECT_EQ(AesKeyUnwrap(Range(0, 32), Range(0, 39), &out), kBadArgument);
  EXPECT_EQ(AesKeyUnwrap(Range(0, 32), Range(0, 16), &out), kBadArgument);
}

}  // namespace
}  // namespace zbe::crypto
