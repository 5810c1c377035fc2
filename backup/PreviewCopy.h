#pragma once

#include <cstdint>
#include <string>

#include "backup/RecoveryCallbacks.h"
#include "records/Result.h"

namespace zbe {

// Copies the stored file "storedPath" into "workFolder" for the preview, under the name of its
// kind: "tmp.jpg" for a picture, "tmp.wav" for audio, "tmp.avi" for video (by the extension its
// type detection gives, see backup/MediaExtensions.h); a HEIF photo's copy is a JPEG decoded from
// it (backup/HeicPreview.h), made in one step. "copyPath" receives the copy's path once
// the kind is known. An earlier copy of that name is replaced completely (removed first; a
// player still reading it keeps the old bytes); the new copy is private to the user (0600).
// "callback" (may be null) gets (context, percent) after each chunk of 65536 bytes; a non-zero
// answer stops the copy and becomes the result. When given, it always gets a last call with 100
// before the function returns, whatever the outcome.
// Returns success; 87 when "workFolder" is empty, the type is not recognised or not in any list,
// either file cannot be opened, or a HEIF photo cannot be decoded; the errno of a failed read or
// write; or a stop with the callback's answer. A copy left incomplete by a failure or a stop is
// removed. The stored file is only read.
Result MakePreviewCopy(const std::string& workFolder, const std::string& storedPath,
                       std::string& copyPath, PreviewCopyCallback callback, void* context);

}  // namespace zbe
