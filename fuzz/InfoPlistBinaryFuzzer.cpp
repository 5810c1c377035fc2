// The binary "Info.plist" path: the form test and the property-list reader.

#include <string_view>

#include "backup/InfoPlistBinaryReader.h"
#include "fuzz/FuzzParts.h"
#include "platform/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!zbe::IsBinaryPlist(bytes)) {
    return 0;
  }
  zbe::BackupSummary summary;
  zbe::ReadInfoPlistBinary(bytes, summary);
  ZBE_FUZZ_CHECK(zbe::RepairUtf8(summary.displayName) == summary.displayName);
  return 0;
}
