// The XML "Info.plist" reader, fed the file's bytes as the summary reader opens them.

#include <cstdio>

#include "backup/InfoPlistTextReader.h"
#include "fuzz/FuzzParts.h"
#include "platform/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) {
    return 0;
  }
  zbe::BackupSummary summary;
  zbe::ReadInfoPlistText(file, summary);
  std::fclose(file);
  ZBE_FUZZ_CHECK(zbe::RepairUtf8(summary.displayName) == summary.displayName);
  ZBE_FUZZ_CHECK(summary.folderPath.empty() && !summary.encrypted);
  return 0;
}
