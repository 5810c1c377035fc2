// The "file" column of an encrypted backup's Manifest.db: a keyed archive of one file's
// properties, read for its encryption key and rewritten with the key for the decrypted copy.

#include "fuzz/FuzzParts.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/MbFileArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zbe::crypto::MbFile file;
  zbe::Result read = zbe::crypto::ReadMbFile({data, size}, &file);
  static const zbe::crypto::Bytes kKey(44, 0x5A);
  zbe::crypto::Bytes rewritten;
  zbe::Result set = zbe::crypto::SetMbFileEncryption({data, size}, kKey, 3, 9, &rewritten);
  // Setting the key replaces one that cannot be read, so only a readable archive must take it,
  // unless libplist could not write it back as it was read.
  ZBE_FUZZ_CHECK(read != zbe::crypto::kOk || set == zbe::crypto::kOk ||
                 set == zbe::crypto::kUnsupported || set == zbe::crypto::kCryptoFailure);
  if (set != zbe::crypto::kOk) {
    ZBE_FUZZ_CHECK(rewritten.empty());
    return 0;
  }
  // The rewritten archive must read back with the new key and class, and as a keyed archive.
  zbe::crypto::MbFile reread;
  ZBE_FUZZ_CHECK(zbe::crypto::ReadMbFile(rewritten, &reread) == zbe::crypto::kOk);
  ZBE_FUZZ_CHECK(reread.encryptionKey == kKey);
  ZBE_FUZZ_CHECK(reread.protectionClass == 3u);
  ZBE_FUZZ_CHECK(reread.relativePath == file.relativePath);
  return 0;
}
