#pragma once

#include <cstdint>
#include <vector>

#include "backup/MediaWalk.h"
#include "records/FileItems.h"
#include "records/Result.h"

namespace zbe {

// Gathers the files of apps (manifest paths containing "AppDomain-") whose type is recognised,
// named by their base name with the detected extension. Files of the WhatsApp app (paths
// containing "net.whatsapp.WhatsApp"), and those that recent versions of WhatsApp keep in their
// app group (backup/WhatsAppSharedMedia.h), go to "whatsAppAttachments" (emptied first) unless
// they are empty, all others to "media" with their app (AppNameOf). Files that cannot be opened are
// simply not recognised. Both vectors are sorted by name (ASCII case ignored, stable).
// Reports after every manifest entry (running + entryShare × k / N); a non-zero answer stops
// the walk at once and is returned, leaving the vectors unsorted. Otherwise adds endShare to
// the running progress, reports it (the answer is not heeded) and returns success.
Result GatherAppMedia(const MediaWalk& walk, std::vector<AppMediaItem>& media,
                      std::vector<MediaFileItem>& whatsAppAttachments);

// Gathers only the WhatsApp attachments, as GatherAppMedia would, into "whatsAppAttachments"
// (emptied first), for a scan in which the app media were not read. Reports after every manifest
// entry (running + entryShare × k / N); a non-zero answer stops the walk and is returned as a stop.
// Leaves the running progress unchanged and returns success otherwise.
Result GatherWhatsAppAttachments(const MediaWalk& walk,
                                 std::vector<MediaFileItem>& whatsAppAttachments);

}  // namespace zbe
