#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// Callbacks are a function plus a context pointer that the caller passes along. They answer 0
// to go on; where an operation heeds the answer, any other value stops it and becomes its result
// (the scan page answers 2 once the user has stopped).

// Progress of a scan: an absolute running total (not an increment), not guaranteed to grow.
using RecoveryProgressCallback = int32_t (*)(void* userData, int32_t progress);

// Progress of one file copy: percent done, 0 or the errno of a failed write, and the
// destination path (valid during the call only).
using FileCopyCallback = int32_t (*)(void* context, int32_t percent, int32_t code,
                                     const std::string& destination);

// Progress of a preview copy: percent done.
using PreviewCopyCallback = int32_t (*)(void* context, int32_t percent);

}  // namespace zbe
