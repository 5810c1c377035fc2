#pragma once

#include <vector>

#include "records/FileItems.h"
#include "records/ScanResults.h"

namespace zbe {

// True when an app media item counts as a video: the extension of its name (ASCII case
// ignored) is in the video or the audio list. Everything else, unknown extensions included,
// counts as a photo.
bool IsAppVideo(const AppMediaItem& item);

// Sorts "media" into "photos" and "videos" (either may be null: that kind is not wanted),
// grouped by app, each group in the order of "media".
void SplitAppMedia(const std::vector<AppMediaItem>& media, AppMediaGroups* photos,
                   AppMediaGroups* videos);

}  // namespace zbe
