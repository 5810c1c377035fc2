// An encrypted backup's "Manifest.plist", read as the decryption tool reads it: the property
// list (binary or XML), the keys it needs, and the keybag inside.

#include "fuzz/FuzzParts.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/Keybag.h"
#include "tools/crypto/ManifestPlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zbe::crypto::ManifestPlistKeys keys;
  if (zbe::crypto::ParseManifestPlist({data, size}, &keys) != zbe::crypto::kOk) {
    return 0;
  }
  zbe::crypto::Keybag keybag;
  zbe::crypto::ParseKeybag(keys.backupKeyBag, &keybag);
  return 0;
}
