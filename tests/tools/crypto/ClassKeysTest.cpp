#include "tools/crypto/ClassKeys.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"

namespace zbe::crypto {
namespace {

using testing::Hex;

// The passcode key of the real modern keybag for "0000", known from its published fixture, so
// that these tests need not spend seconds deriving it.
const char kRealKek[] = "ec8edc160b5745ccae000bfb4787630f322821191fba7eea38feab2c6307cd9b";

Keybag RealModernKeybag() {
  const std::string path =
      std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000-keybags/keybag-10.2.bin";
  Keybag bag;
  if (testing::Exists(path)) {
    EXPECT_EQ(ParseKeybag(testing::ReadAll(path), &bag), kOk);
  }
  return bag;
}

TEST(ClassKeys, UnlocksTheRealKeybagAndKeepsDeviceBoundClassesUnusable) {
  const Keybag bag = RealModernKeybag();
  if (bag.classKeys.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  ClassKeys keys;
  ASSERT_EQ(UnlockClassKeys(bag, Hex(kRealKek), &keys), kOk);
  for (uint32_t cls = 1; cls <= 11; ++cls) {
    const bool deviceBound = cls == 5 || cls >= 9;
    const SecretBytes* key = keys.FindAesKey(cls);
    ASSERT_EQ(key == nullptr, deviceBound) << "class " << cls;
    if (key != nullptr) {
      EXPECT_EQ(Bytes(key->begin(), key->end()), Bytes(32, 0));
    }
  }
  EXPECT_EQ(keys.FindAesKey(12), nullptr);
}

TEST(ClassKeys, WrongKekOrDamagedWrappedKeyMeansWrongPassword) {
  Keybag bag = RealModernKeybag();
  if (bag.classKeys.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  ClassKeys keys;
  Bytes wrongKek = Hex(kRealKek);
  wrongKek[0] ^= 1;
  EXPECT_EQ(UnlockClassKeys(bag, wrongKek, &keys), kWrongPassword);
  EXPECT_EQ(keys.size(), 0u);
  bag.classKeys[6].wrappedKey[10] ^= 0x80;
  EXPECT_EQ(UnlockClassKeys(bag, Hex(kRealKek), &keys), kWrongPassword);
}

TEST(ClassKeys, KeybagWithoutPasscodeWrappedKeysCannotCheckThePassword) {
  Keybag bag;
  bag.classKeys.push_back({});
  bag.classKeys[0].protectionClass = 1;
  bag.classKeys[0].wrapFlags = kWrapDevice;
  bag.classKeys[0].wrappedKey = Bytes(40, 1);
  ClassKeys keys;
  EXPECT_EQ(UnlockClassKeys(bag, Bytes(32, 0), &keys), kMalformed);
}

}  // namespace
}  // namespace zbe::crypto
