// The file type detection: the first bytes of a stored file against every row of the table,
// and the lists that sort the sniffed extension into pictures, audio and video.

#include <cstring>
#include <string>

#include "backup/FileTypeSniffer.h"
#include "backup/MediaExtensions.h"
#include "fuzz/FuzzParts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Files shorter than the tests' window are never typed; shorter inputs are zero-padded so
  // that the mutator need not grow every input to the window first.
  uint8_t head[zbe::kSniffBytes] = {};
  std::memcpy(head, data, size < sizeof head ? size : sizeof head);
  int32_t code = zbe::SniffTypeCode(head);
  std::string_view extension = zbe::ExtensionOfTypeCode(code);
  ZBE_FUZZ_CHECK((code == zbe::kNoFileType) == extension.empty());
  if (!extension.empty()) {
    zbe::MediaKindOfExtension(extension);
  }
  return 0;
}
