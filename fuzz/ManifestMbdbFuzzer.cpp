// "Manifest.mbdb": the scan's reader of the binary manifest and the decryption tool's, which
// also writes records back.

#include <string_view>
#include <vector>

#include "backup/ManifestMbdbReader.h"
#include "fuzz/FuzzParts.h"
#include "tools/crypto/CryptoCodes.h"
#include "tools/crypto/ManifestMbdb.h"

namespace {

bool IsLowerHex(std::string_view text) {
  return text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<zbe::ManifestEntry> entries;
  zbe::ParseManifestMbdb(bytes, entries);
  for (const zbe::ManifestEntry& entry : entries) {
    ZBE_FUZZ_CHECK(entry.fileID.size() == 40 && IsLowerHex(entry.fileID));
    ZBE_FUZZ_CHECK(entry.path.size() >= 3 && entry.path.find('-') != std::string::npos);
  }

  std::vector<zbe::crypto::MbdbRecord> records;
  bool truncated = false;
  if (zbe::crypto::ParseMbdb({data, size}, &records, &truncated) != zbe::crypto::kOk) {
    return 0;
  }
  // What the tool writes back must read back as the same records.
  zbe::crypto::Bytes written;
  if (zbe::crypto::SerializeMbdb(records, &written) != zbe::crypto::kOk) {
    return 0;
  }
  std::vector<zbe::crypto::MbdbRecord> reread;
  bool rereadTruncated = true;
  ZBE_FUZZ_CHECK(zbe::crypto::ParseMbdb(written, &reread, &rereadTruncated) == zbe::crypto::kOk);
  ZBE_FUZZ_CHECK(!rereadTruncated && reread.size() == records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    ZBE_FUZZ_CHECK(reread[i].domain == records[i].domain && reread[i].path == records[i].path &&
                   reread[i].encryptionKey == records[i].encryptionKey &&
                   reread[i].size == records[i].size &&
                   reread[i].properties == records[i].properties);
  }
  return 0;
}
