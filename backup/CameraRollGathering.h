#pragma once

#include <cstdint>
#include <vector>

#include "backup/MediaWalk.h"
#include "records/FileItems.h"
#include "records/Result.h"

namespace zbe {

// Gathers the camera roll ("CameraRollDomain-Media/DCIM/") and photo stream
// ("MediaDomain-Media/PhotoStreamsData/") files of the manifest, each listed under its own name
// when its type is recognised, and appends them to "cameraRoll" and "photoStream", each sorted
// by name (ASCII case ignored, stable). Reports after every manifest entry except the matching
// ones whose stored file is missing (running + entryShare × k / N); a non-zero answer stops the
// walk at once and is returned, leaving the vectors unsorted. Otherwise adds endShare to the
// running progress, reports it and returns that report's answer as a result (success without a
// callback).
Result GatherCameraRoll(const MediaWalk& walk, std::vector<MediaFileItem>& cameraRoll,
                        std::vector<MediaFileItem>& photoStream);

}  // namespace zbe
