#include "tools/crypto/ClassKeys.h"

#include "tools/crypto/AesKeyWrap.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/KeyDerivation.h"
#include "tools/crypto/Keybag.h"

namespace zbe::crypto {

namespace {

constexpr uint32_t kKeyTypeAes = 0;
constexpr size_t kClassKeySize = 32;

}  // namespace

const SecretBytes* ClassKeys::FindAesKey(uint32_t protectionClass) const {
  auto it = keys_.find(protectionClass);
  if (it == keys_.end() || !it->second.usable) {
    return nullptr;
  }
  return &it->second.key;
}

void ClassKeys::Set(uint32_t protectionClass, SecretBytes key, bool usable) {
  keys_[protectionClass] = Entry{std::move(key), usable};
}

Result UnlockClassKeys(const Keybag& keybag, ByteView kek, ClassKeys* keys) {
  *keys = ClassKeys{};
  ClassKeys unlocked;
  size_t checked = 0;
  for (const KeybagClassKey& entry : keybag.classKeys) {
    const uint32_t wrap = entry.wrapFlags.value_or(0);
    if (entry.wrappedKey.empty() || (wrap & kWrapPasscode) == 0) {
      continue;
    }
    if (!entry.protectionClass) {
      return kMalformed;
    }
    SecretBytes key;
    Result rc = AesKeyUnwrap(kek, entry.wrappedKey, &key);
    if (rc == kUnwrapFailed) {
      return kWrongPassword;
    }
    if (rc != kOk) {
      // A WPKY of an impossible size is damage, not a wrong password.
      return rc == kBadArgument ? kMalformed : rc;
    }
    ++checked;
    const bool usable = (wrap & kWrapDevice) == 0 &&
                        entry.keyType.value_or(kKeyTypeAes) == kKeyTypeAes &&
                        key.size() == kClassKeySize;
    // A class listed twice keeps the key that can be used.
    if (usable || unlocked.FindAesKey(*entry.protectionClass) == nullptr) {
      unlocked.Set(*entry.protectionClass, std::move(key), usable);
    }
  }
  if (checked == 0) {
    return kMalformed;
  }
  *keys = std::move(unlocked);
  return kOk;
}

Result UnlockWithPassword(const Keybag& keybag, ByteView password, ClassKeys* keys) {
  *keys = ClassKeys{};
  SecretBytes kek;
  Result rc = DerivePasscodeKey(password, keybag, &kek);
  if (rc != kOk) {
    return rc;
  }
  return UnlockClassKeys(keybag, kek, keys);
}

}  // namespace zbe::crypto
