#include "tools/crypto/KeyDerivation.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/AesKeyWrap.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::ToHex;

std::string Sha1(std::string_view password, std::string_view salt, uint32_t rounds, size_t n) {
  Bytes out(n);
  EXPECT_EQ(Pbkdf2HmacSha1(AsBytes(password), AsBytes(salt), rounds, out), kOk);
  return ToHex(out);
}

std::string Sha256(std::string_view password, std::string_view salt, uint32_t rounds, size_t n) {
  Bytes out(n);
  EXPECT_EQ(Pbkdf2HmacSha256(AsBytes(password), AsBytes(salt), rounds, out), kOk);
  return ToHex(out);
}

TEST(Pbkdf2, MatchesRfc6070Sha1Vectors) {
  EXPECT_EQ(Sha1("password", "salt", 1, 20), "0c60c80f961f0e71f3a9b524af6012062fe037a6");
  EXPECT_EQ(Sha1("password", "salt", 2, 20), "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957");
  EXPECT_EQ(Sha1("password", "salt", 4096, 20), "4b007901b765489abead49d926f721d065a429c1");
  EXPECT_EQ(Sha1("passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 25),
            "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038");
  EXPECT_EQ(Sha1(std::string_view("pass\0word", 9), std::string_view("sa\0lt", 5), 4096, 16),
            "56fa6aa75548099dcc37d7f03425e0c3");
  EXPECT_EQ(Sha1("password", "salt", 4096, 32),
            "4b007901b765489abead49d926f721d065a429c12e463f6c4cd79401085b03db");
}

TEST(Pbkdf2, MatchesSha256Vectors) {
  EXPECT_EQ(Sha256("passwd", "salt", 1, 64),
            "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
            "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
  EXPECT_EQ(Sha256("Password", "NaCl", 80000, 64),
            "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
            "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
  EXPECT_EQ(Sha256("password", "salt", 2, 32),
            "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43");
}

Keybag KeybagWith(const std::string& salt, uint32_t iterations, const std::string& dpSalt = "",
                  std::optional<uint32_t> dpIterations = std::nullopt) {
  Keybag bag;
  bag.salt = Hex(salt);
  bag.iterations = iterations;
  bag.dpSalt = Hex(dpSalt);
  bag.dpIterations = dpIterations;
  return bag;
}

std::string Kek(std::string_view password, const Keybag& bag) {
  SecretBytes kek;
  EXPECT_EQ(DerivePasscodeKey(AsBytes(password), bag, &kek), kOk);
  return ToHex(kek);
}

TEST(DerivePasscodeKey, TakesTwoStagesOnlyWhenTheKeybagHasDpslAndDpic) {
  const std::string salt = "2122232425262728292a2b2c2d2e2f3031323334";
  EXPECT_EQ(Kek("test-password", KeybagWith(salt, 1000)),
            "5dbf126d290acce716b4556cc7604b23028f3dbfdd23a4e23d47d3041867359f");
  EXPECT_EQ(Kek("test-password",
                KeybagWith(salt, 1000, "0102030405060708090a0b0c0d0e0f1011121314", 1000)),
            "828b7617054436ee98efe4317bbf32cf35ff2202f1998a693f6c20529343d2c5");
}

// The self-tests of a public password cracker for this format, single and double derivation.
TEST(DerivePasscodeKey, UnlocksPublishedClassKeysAndRejectsANearMiss) {
  const Keybag single = KeybagWith("2202015774208421818002001652122401871832", 10000);
  const Keybag dual = KeybagWith("2721336781705041205314422175267631184867", 10000,
                                 "99fafc983e732998adb9fadc162a2e382143f115", 1000);
  EXPECT_EQ(Kek("hashcat", single),
            "a29e0b44321c66a8f34c587ce924421e37231a3f020598a9a1a2ccdb71b424db");
  EXPECT_EQ(Kek("hashcat", dual),
            "ca1bdd8196307fe1e2ed421321267d96e2988bf12f736035192cfed20ec823ea");

  SecretBytes kek;
  SecretBytes classKey;
  ASSERT_EQ(DerivePasscodeKey(AsBytes("hashcat"), dual, &kek), kOk);
  ASSERT_EQ(AesKeyUnwrap(kek,
                         Hex("17a3b858e79bc273be43a9f113b71efe7ec8e7e401396b350180b4592ef45db6"
                             "7ffef7b2d64329a5"),
                         &classKey),
            kOk);
  EXPECT_EQ(ToHex(classKey), "2ed7042e87b50000fa6ba698661c000013194470a1f70000c35bd72ce0360000");
  ASSERT_EQ(DerivePasscodeKey(AsBytes("hashcaT"), dual, &kek), kOk);
  EXPECT_EQ(AesKeyUnwrap(kek,
                         Hex("17a3b858e79bc273be43a9f113b71efe7ec8e7e401396b350180b4592ef45db6"
                             "7ffef7b2d64329a5"),
                         &classKey),
            kUnwrapFailed);
}

TEST(DerivePasscodeKey, RefusesMissingAndImplausibleParameters) {
  SecretBytes kek;
  const std::string salt = "00112233445566778899aabbccddeeff00112233";
  EXPECT_EQ(DerivePasscodeKey(AsBytes("x"), KeybagWith("", 10), &kek), kMalformed);
  EXPECT_EQ(DerivePasscodeKey(AsBytes("x"), KeybagWith(salt, 10, salt), &kek), kMalformed);
  EXPECT_EQ(DerivePasscodeKey(AsBytes("x"), KeybagWith(salt, 0), &kek), kImplausible);
  EXPECT_EQ(DerivePasscodeKey(AsBytes("x"), KeybagWith(salt, kMaxSha1Iterations + 1), &kek),
            kImplausible);
  EXPECT_EQ(
      DerivePasscodeKey(AsBytes("x"), KeybagWith(salt, 10, salt, kMaxSha256Iterations + 1), &kek),
      kImplausible);
}

}  // namespace
}  // namespace zbe::crypto
