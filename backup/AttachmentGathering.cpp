#include "backup/AttachmentGathering.h"

#include "backup/FileTypeSniffer.h"
#include "backup/MediaExtensions.h"
#include "backup/MediaMarkers.h"
#include "backup/MediaSort.h"

namespace zbe {

Result GatherMessageAttachments(const MediaWalk& walk, std::vector<AttachmentItem>& attachments) {
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    if (IsMessageAttachmentPath(entry.path)) {
      std::string stored = walk.StoredPath(entry);
      std::string sniffed;
      SniffedFile file = SniffStoredFile(stored, counter, sniffed);
      if (!file.present) {
        continue;
      }
      if (!sniffed.empty()) {
        attachments.push_back(AttachmentItem{
            static_cast<uint32_t>(file.size),
            AdjustedName(BaseName(entry.path), ExtensionOf(sniffed)), std::move(stored)});
      }
    }
    if (int32_t answer = progress.Next(); answer != 0) {
      return Result::Answer(answer);
    }
  }
  SortByName(attachments);
  walk.Finish(walk.endShare);
  return Result::Ok();
}

}  // namespace zbe
