#pragma once

#include <cstdint>
#include <vector>

#include "backup/MediaWalk.h"
#include "records/FileItems.h"
#include "records/Result.h"

namespace zbe {

// Gathers the message attachments (manifest paths containing "/Attachments/") whose type is
// recognised, named by their base name with the detected extension ("IMG_0001.HEIC" holding a
// JPEG is listed as "IMG_0001.JPG"), appended to "attachments" and sorted by name (ASCII case
// ignored, stable). Reports after every manifest entry except the matching ones whose stored
// file is missing (running + entryShare × k / N); a non-zero answer stops the walk at once and is
// returned, leaving the vector unsorted. Otherwise adds endShare to the running progress,
// reports it (the answer is not heeded) and returns success.
Result GatherMessageAttachments(const MediaWalk& walk, std::vector<AttachmentItem>& attachments);

}  // namespace zbe
