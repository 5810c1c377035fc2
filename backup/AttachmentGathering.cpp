#include "backup/AttachmentGathering.h"

#include "backup/FileTypeSniffer.h"
#include "backup/MediaExtensions.h"
#include "backup/MediaSort.h"
#include "platform/FileSystem.h"

namespace zbe {

Result GatherMessageAttachments(const MediaWalk& walk, std::vector<AttachmentItem>& attachments) {
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    if (entry.path.find("/Attachments/") != std::string::npos) {
      std::string stored = walk.StoredPath(entry);
      if (!PathExists(stored)) {
        continue;
      }
      std::string sniffed;
      SniffFileType(stored, sniffed, counter);
      if (!sniffed.empty()) {
        auto size = static_cast<uint32_t>(StoredFileSize(stored));
        attachments.push_back(
            AttachmentItem{size, AdjustedName(BaseName(entry.path), ExtensionOf(sniffed)), stored});
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
