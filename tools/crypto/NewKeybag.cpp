#include "tools/crypto/NewKeybag.h"

#include "tools/crypto/AesKeyWrap.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/KeyDerivation.h"
#include "tools/crypto/KeySource.h"
#include "tools/crypto/Keybag.h"

namespace zbe::crypto {

namespace {

constexpr uint32_t kBackupKeybagType = 1;
constexpr uint32_t kModernVersion = 4;
constexpr uint32_t kLegacyVersion = 3;
constexpr uint32_t kHighestClass = 11;
constexpr size_t kSaltSize = 20;
constexpr size_t kUuidSize = 16;
constexpr size_t kHmacKeySize = 40;
constexpr size_t kClassKeySize = 32;

bool TiedToDevice(uint32_t protectionClass) {
  return protectionClass == 5 || protectionClass >= 9;
}

Result RandomBytes(KeySource& source, size_t size, Bytes* out) {
  out->assign(size, 0);
  return source.Fill(*out);
}

}  // namespace

Result MakeBackupKeybag(ByteView password, KeybagKind kind, uint32_t iterations,
                        uint32_t dpIterations, KeySource& source, Keybag* keybag, ClassKeys* keys) {
  *keybag = Keybag{};
  *keys = ClassKeys{};
  if (iterations == 0 || iterations > kMaxSha1Iterations ||
      (kind == KeybagKind::kModern && (dpIterations == 0 || dpIterations > kMaxSha256Iterations))) {
    return kImplausible;
  }
  Keybag bag;
  bag.version = kind == KeybagKind::kModern ? kModernVersion : kLegacyVersion;
  bag.type = kBackupKeybagType;
  bag.wrap = 0;
  bag.iterations = iterations;
  Result rc = RandomBytes(source, kUuidSize, &bag.uuid);
  if (rc == kOk) {
    rc = RandomBytes(source, kHmacKeySize, &bag.hmck);
  }
  if (rc == kOk) {
    rc = RandomBytes(source, kSaltSize, &bag.salt);
  }
  if (rc == kOk && kind == KeybagKind::kModern) {
    bag.dpWrap = 1;
    bag.dpIterations = dpIterations;
    rc = RandomBytes(source, kSaltSize, &bag.dpSalt);
  }
  SecretBytes kek;
  if (rc == kOk) {
    rc = DerivePasscodeKey(password, bag, &kek);
  }
  ClassKeys made;
  for (uint32_t cls = kHighestClass; cls >= 1 && rc == kOk; --cls) {
    KeybagClassKey entry;
    SecretBytes classKey(kClassKeySize);
    rc = RandomBytes(source, kUuidSize, &entry.uuid);
    if (rc == kOk) {
      rc = source.Fill(classKey);
    }
    if (rc == kOk) {
      rc = AesKeyWrap(kek, classKey, &entry.wrappedKey);
    }
    if (rc != kOk) {
      break;
    }
    entry.protectionClass = cls;
    entry.wrapFlags = TiedToDevice(cls) ? (kWrapPasscode | kWrapDevice) : kWrapPasscode;
    entry.keyType = 0;
    made.Set(cls, std::move(classKey), !TiedToDevice(cls));
    bag.classKeys.push_back(std::move(entry));
  }
  if (rc != kOk) {
    return rc;
  }
  *keybag = std::move(bag);
  *keys = std::move(made);
  return kOk;
}

}  // namespace zbe::crypto
