#pragma once

#include <cstdint>
#include <string>

#include "records/Result.h"

namespace zbe {

// Largest stored HEIF file converted for the preview, and the most pixels its picture may have
// (an iPhone's largest photos have about 48 million). Larger ones are refused rather than let a
// hostile file exhaust memory.
inline constexpr uint64_t kMaxHeicFileBytes = 256ull << 20;
inline constexpr uint64_t kMaxHeicPixels = 100'000'000;

// Decodes the primary picture of the HEIF file at "storedPath" (with the rotation and mirroring
// it asks for) and encodes it as a JPEG into "jpeg" (replaced), so that the preview, which shows
// only the common picture formats, can show it. The stored file is only read.
// Returns success; kMissingFile (87) when the file cannot be opened or read, is not a regular file,
// is larger than kMaxHeicFileBytes, cannot be decoded or has more than kMaxHeicPixels pixels
// ("jpeg" is then empty).
Result HeicToJpeg(const std::string& storedPath, std::string& jpeg);

}  // namespace zbe
