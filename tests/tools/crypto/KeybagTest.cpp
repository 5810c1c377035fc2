#include "tools/crypto/Keybag.h"

#include <gtest/gtest.h>

#include "CryptoTestSupport.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/KeySource.h"
#include "tools/crypto/NewKeybag.h"

namespace zbe::crypto {
namespace {

using testing::Hex;
using testing::ReadAll;
using testing::ToHex;

const std::string kRealKeybags = std::string(ZBE_REALDATA_DIR) + "/encrypted-pw0000-keybags";
const char kRealWpky[] =
    "528c9c5171bf8bef1ea397cf29d2a838c90529df02a6ad2f823a1c6f3a5b2040e2a309c520c6a2ab";

Bytes RealKeybag(const char* name) {
  const std::string path = kRealKeybags + "/" + name;
  if (!testing::Exists(path)) {
    return {};
  }
  return ReadAll(path);
}

TEST(Keybag, ParsesTheRealModernKeybag) {
  const Bytes blob = RealKeybag("keybag-10.2.bin");
  if (blob.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  Keybag bag;
  ASSERT_EQ(ParseKeybag(blob, &bag), kOk);
  EXPECT_EQ(bag.version, 5u);
  EXPECT_EQ(bag.type, 1u);
  EXPECT_EQ(bag.iterations, 10000u);
  EXPECT_EQ(bag.dpIterations, 10000000u);
  EXPECT_EQ(bag.dpWrap, 1u);
  EXPECT_EQ(bag.salt, Bytes(20, 0));
  EXPECT_EQ(bag.dpSalt, Bytes(20, 0));
  EXPECT_EQ(bag.hmck.size(), 40u);
  ASSERT_EQ(bag.classKeys.size(), 11u);
  for (size_t i = 0; i < bag.classKeys.size(); ++i) {
    const KeybagClassKey& entry = bag.classKeys[i];
    const uint32_t cls = static_cast<uint32_t>(11 - i);
    EXPECT_EQ(entry.protectionClass, cls);
    const bool deviceBound = cls == 5 || cls >= 9;
    EXPECT_EQ(entry.wrapFlags, deviceBound ? 3u : 2u) << "class " << cls;
    EXPECT_EQ(entry.keyType, 0u);
    EXPECT_EQ(ToHex(entry.wrappedKey), kRealWpky);
  }
  EXPECT_EQ(SerializeKeybag(bag), blob);
}

TEST(Keybag, ParsesAndUnlocksTheRealLegacyKeybag) {
  const Bytes blob = RealKeybag("keybag-pre-10.2.bin");
  if (blob.empty()) {
    GTEST_SKIP() << "real data not present";
  }
  Keybag bag;
  ASSERT_EQ(ParseKeybag(blob, &bag), kOk);
  EXPECT_EQ(bag.version, 3u);
  EXPECT_EQ(bag.iterations, 10000u);
  EXPECT_FALSE(bag.dpIterations);
  EXPECT_TRUE(bag.dpSalt.empty());
  EXPECT_EQ(SerializeKeybag(bag), blob);

  ClassKeys keys;
  ASSERT_EQ(UnlockWithPassword(bag, AsBytes("0000"), &keys), kOk);
  ASSERT_NE(keys.FindAesKey(1), nullptr);
  EXPECT_EQ(Bytes(keys.FindAesKey(1)->begin(), keys.FindAesKey(1)->end()), Bytes(32, 0));
  EXPECT_EQ(UnlockWithPassword(bag, AsBytes("0001"), &keys), kWrongPassword);
}

TEST(Keybag, WrittenKeybagReadsBackWithEveryField) {
  for (KeybagKind kind : {KeybagKind::kModern, KeybagKind::kLegacy}) {
    KeySource source = KeySource::Seeded(42);
    Keybag made;
    ClassKeys keys;
    ASSERT_EQ(MakeBackupKeybag(AsBytes("pw"), kind, 7, 9, source, &made, &keys), kOk);
    made.otherRecords.push_back({"XTRA", Hex("0102")});
    made.classKeys[0].otherRecords.push_back({"ZZZZ", Hex("ff")});
    Keybag read;
    ASSERT_EQ(ParseKeybag(SerializeKeybag(made), &read), kOk);
    EXPECT_EQ(read.version, made.version);
    EXPECT_EQ(read.uuid, made.uuid);
    EXPECT_EQ(read.salt, made.salt);
    EXPECT_EQ(read.iterations, 7u);
    EXPECT_EQ(read.dpIterations,
              kind == KeybagKind::kModern ? std::optional<uint32_t>(9) : std::nullopt);
    EXPECT_EQ(read.dpSalt.size(), kind == KeybagKind::kModern ? 20u : 0u);
    ASSERT_EQ(read.otherRecords.size(), 1u);
    EXPECT_EQ(read.otherRecords[0].tag, "XTRA");
    ASSERT_EQ(read.classKeys.size(), 11u);
    EXPECT_EQ(read.classKeys[0].otherRecords.size(), 1u);
    for (size_t i = 0; i < 11; ++i) {
      EXPECT_EQ(read.classKeys[i].uuid, made.classKeys[i].uuid);
      EXPECT_EQ(read.classKeys[i].wrappedKey, made.classKeys[i].wrappedKey);
      EXPECT_EQ(read.classKeys[i].wrapFlags, made.classKeys[i].wrapFlags);
    }
    ClassKeys unlocked;
    ASSERT_EQ(UnlockWithPassword(read, AsBytes("pw"), &unlocked), kOk);
    for (uint32_t cls = 1; cls <= 11; ++cls) {
      ASSERT_EQ(unlocked.FindAesKey(cls) != nullptr, keys.FindAesKey(cls) != nullptr) << cls;
      if (keys.FindAesKey(cls) != nullptr) {
        EXPECT_EQ(*unlocked.FindAesKey(cls), *keys.FindAesKey(cls));
      }
    }
  }
}

Bytes Record(const std::string& tag, const Bytes& value) {
  Bytes out(tag.begin(), tag.end());
  const uint32_t n = static_cast<uint32_t>(value.size());
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<uint8_t>(n >> shift));
  }
  out.insert(out.end(), value.begin(), value.end());
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) {
    out.insert(out.end(), p.begin(), p.end());
  }
  return out;
}

TEST(Keybag, FirstUuidNamesTheKeybagAndLaterOnesStartClassKeys) {
  const Bytes blob = Concat({Record("UUID", Bytes(16, 1)), Record("WRAP", Hex("00000000")),
                             Record("UUID", Bytes(16, 2)), Record("CLAS", Hex("00000003")),
                             Record("WRAP", Hex("00000002")),
                             // A keybag tag after the class keys still describes the keybag.
                             Record("SALT", Bytes(20, 7)), Record("UUID", Bytes(16, 3)),
                             Record("CLAS", Hex("00000004")), Hex("0000")});
  Keybag bag;
  ASSERT_EQ(ParseKeybag(blob, &bag), kOk);
  EXPECT_EQ(bag.uuid, Bytes(16, 1));
  EXPECT_EQ(bag.wrap, 0u);
  EXPECT_EQ(bag.salt, Bytes(20, 7));
  ASSERT_EQ(bag.classKeys.size(), 2u);
  EXPECT_EQ(bag.classKeys[0].protectionClass, 3u);
  EXPECT_EQ(bag.classKeys[0].wrapFlags, 2u);
  EXPECT_EQ(bag.classKeys[1].protectionClass, 4u);
  EXPECT_FALSE(bag.classKeys[1].wrapFlags);
}

TEST(Keybag, AnEmptyKeybagUuidIsWrittenSoTheClassKeysStayClassKeys) {
  // Found by fuzzing: the empty UUID was left out, and the first class key's UUID became the
  // keybag's when the blob was read again.
  const Bytes blob = Concat({Record("UUID", {}), Record("UUID", Bytes(16, 2)),
                             Record("CLAS", Hex("00000003")), Record("UUID", Bytes(16, 3))});
  Keybag bag;
  ASSERT_EQ(ParseKeybag(blob, &bag), kOk);
  ASSERT_EQ(bag.classKeys.size(), 2u);
  EXPECT_EQ(SerializeKeybag(bag), blob);
}

TEST(Keybag, RejectsRecordsPastTheEndAndBadIntegers) {
  Keybag bag;
  Bytes overlong = Record("SALT", Bytes(20, 0));
  overlong.resize(overlong.size() - 1);
  EXPECT_EQ(ParseKeybag(overlong, &bag), kMalformed);
  EXPECT_EQ(ParseKeybag(Record("ITER", Hex("002710")), &bag), kMalformed);
}

}  // namespace
}  // namespace zbe::crypto
