// The "file" column of an encrypted backup's Manifest.db: a keyed archive of one file's
// properties, read for its encryption key and rewritten with the key for the decrypted copy.

#include "fuzz/FuzzParts.h"
#include "tools/crypto/CryptoResult.h"
#include "tools/crypto/MbFileArchive.h"
#include "tools/crypto/PlistNodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zbe::crypto::MbFile file;
  int32_t read = zbe::crypto::ReadMbFile({data, size}, &file);
  static const zbe::crypto::Bytes kKey(44, 0x5A);
  zbe::crypto::Bytes rewritten;
  int32_t set = zbe::crypto::SetMbFileEncryption({data, size}, kKey, 3, 9, &rewritten);
  // Setting the key replaces one that cannot be read, so only a readable archive must take it.
  ZBE_FUZZ_CHECK(read != zbe::crypto::kOk || set == zbe::crypto::kOk ||
                 set == zbe::crypto::kCryptoFailure);
  if (set != zbe::crypto::kOk) {
    return 0;
  }
  // The rewritten archive must read back with the new key and class. libplist writes strings
  // that are not UTF-8 in a form it cannot read again; only the sample writer rewrites archives,
  // and only its own, so such an archive is let go.
  zbe::crypto::MbFile reread;
  if (!zbe::crypto::ParsePlist(rewritten)) {
    return 0;
  }
  ZBE_FUZZ_CHECK(zbe::crypto::ReadMbFile(rewritten, &reread) == zbe::crypto::kOk);
  ZBE_FUZZ_CHECK(reread.encryptionKey == kKey);
  ZBE_FUZZ_CHECK(reread.protectionClass == 3u);
  return 0;
}
