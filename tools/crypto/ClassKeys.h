#pragma once

#include <cstdint>
#include <map>

#include "tools/crypto/Bytes.h"
#include "tools/crypto/CryptoCodes.h"

namespace zbe::crypto {

struct Keybag;

// The unwrapped class keys of a keybag, by protection class.
class ClassKeys {
 public:
  // The 32-byte AES key of "protectionClass", or null when the keybag has no such key, or when
  // it cannot be used off the device (also tied to the hardware key) or is not an AES key.
  const SecretBytes* FindAesKey(uint32_t protectionClass) const;

  // Adds or replaces the key of a class. Used by the unlocking below and by the encryptor.
  void Set(uint32_t protectionClass, SecretBytes key, bool usable);

  size_t size() const { return keys_.size(); }

 private:
  struct Entry {
    SecretBytes key;
    bool usable = false;  // a plain AES key wrapped only with the passcode key
  };
  std::map<uint32_t, Entry> keys_;
};

// Unwraps with "kek" (the passcode key, 32 bytes) every class key of "keybag" that carries a
// WPKY and the passcode WRAP bit. Because the unwrap carries a 64-bit integrity check, a single
// failure means the password is wrong (or the keybag damaged). Class keys also tied to the
// device, and asymmetric ones, are unwrapped (they check the password too) but kept unusable.
// Returns kOk and fills "keys"; kWrongPassword on a failed check ("keys" is then empty);
// kMalformed when no class key is wrapped with the passcode, so nothing could check it, or a
// class key lacks CLAS; kCryptoFailure.
Result UnlockClassKeys(const Keybag& keybag, ByteView kek, ClassKeys* keys);

// DerivePasscodeKey followed by UnlockClassKeys: the results of both.
Result UnlockWithPassword(const Keybag& keybag, ByteView password, ClassKeys* keys);

}  // namespace zbe::crypto
