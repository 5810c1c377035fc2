#include "tools/crypto/PrefixedKey.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::Range;
using testing::ToHex;

// A self-made end-to-end vector: class 3 key 40..5f, class 4 key a0..bf.
const char kManifestKey[] =
    "0400000020fb3172871cd473368e05fa34a23e61e9f551e5491d3e69f0478cdf4f7e0cdb4100829aab315373";
const char kFileKey[] =
    "03000000838fd5a6e263fbd3a563e678bf04e10ceb8e921406bdd4c53e486afeb41c73d10e565eadc42515b4";

ClassKeys VectorKeys() {
  ClassKeys keys;
  const Bytes k3 = Range(0x40, 32);
  const Bytes k4 = Range(0xA0, 32);
  keys.Set(3, SecretBytes(k3.begin(), k3.end()), true);
  keys.Set(4, SecretBytes(k4.begin(), k4.end()), true);
  keys.Set(10, SecretBytes(32, 0), false);
  return keys;
}

TEST(PrefixedKey, WrapsAndUnwrapsThePublishedVector) {
  const ClassKeys keys = VectorKeys();
  Bytes blob;
  ASSERT_EQ(WrapPrefixedKey(keys, 4, Range(0x80, 32), &blob), kOk);
  EXPECT_EQ(ToHex(blob), kManifestKey);
  ASSERT_EQ(WrapPrefixedKey(keys, 3, Range(0x60, 32), &blob), kOk);
  EXPECT_EQ(ToHex(blob), kFileKey);

  SecretBytes key;
  ASSERT_EQ(UnwrapPrefixedKey(keys, Hex(kManifestKey), std::nullopt, &key), kOk);
  EXPECT_EQ(Bytes(key.begin(), key.end()), Range(0x80, 32));
  ASSERT_EQ(UnwrapPrefixedKey(keys, Hex(kFileKey), 3, &key), kOk);
  EXPECT_EQ(Bytes(key.begin(), key.end()), Range(0x60, 32));
}

TEST(PrefixedKey, FallsBackToThePrefixWhenTheRecordedClassIsWrong) {
  SecretBytes key;
  ASSERT_EQ(UnwrapPrefixedKey(VectorKeys(), Hex(kFileKey), 4, &key), kOk);
  EXPECT_EQ(Bytes(key.begin(), key.end()), Range(0x60, 32));
}

TEST(PrefixedKey, ReportsWhyAKeyCannotBeUnwrapped) {
  const ClassKeys keys = VectorKeys();
  SecretBytes key;
  EXPECT_EQ(UnwrapPrefixedKey(keys, Hex(std::string(kFileKey).substr(0, 86)), 3, &key), kMalformed);
  Bytes damaged = Hex(kFileKey);
  damaged[20] ^= 1;
  EXPECT_EQ(UnwrapPrefixedKey(keys, damaged, 3, &key), kUnwrapFailed);
  Bytes otherClass = Hex(kFileKey);
  otherClass[0] = 10;  // a class whose key exists but is tied to the device
  EXPECT_EQ(UnwrapPrefixedKey(keys, otherClass, std::nullopt, &key), kUnsupported);
  Bytes blob;
  EXPECT_EQ(WrapPrefixedKey(keys, 10, Range(0, 32), &blob), kBadArgument);
}

}  // namespace
}  // namespace zbe::crypto
