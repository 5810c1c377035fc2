// The backup keybag ("BackupKeyBag" of an encrypted backup's Manifest.plist): parsing, writing
// back, and unlocking the class keys with a passcode key. The key derivation itself is left
// out: its cost is bounded by the iteration limits, not by the input's shape.

#include <algorithm>

#include "fuzz/FuzzParts.h"
#include "tools/crypto/ClassKeys.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zbe::crypto::Keybag keybag;
  if (zbe::crypto::ParseKeybag({data, size}, &keybag) != zbe::crypto::kOk) {
    return 0;
  }
  // Written back and read again, a keybag must write the same bytes.
  zbe::crypto::Bytes written = zbe::crypto::SerializeKeybag(keybag);
  zbe::crypto::Keybag reread;
  ZBE_FUZZ_CHECK(zbe::crypto::ParseKeybag(written, &reread) == zbe::crypto::kOk);
  ZBE_FUZZ_CHECK(zbe::crypto::SerializeKeybag(reread) == written);

  static const zbe::crypto::SecretBytes kKek(32, 0);
  zbe::crypto::ClassKeys keys;
  zbe::Result unlocked = zbe::crypto::UnlockClassKeys(keybag, kKek, &keys);
  if (unlocked != zbe::crypto::kOk) {
    ZBE_FUZZ_CHECK(keys.size() == 0);
  }
  return 0;
}
