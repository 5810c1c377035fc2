#include "backup/CameraRollGathering.h"

#include "backup/FileTypeSniffer.h"
#include "backup/MediaSort.h"
#include "platform/FileSystem.h"

namespace zbe {

Result GatherCameraRoll(const MediaWalk& walk, std::vector<MediaFileItem>& cameraRoll,
                        std::vector<MediaFileItem>& photoStream) {
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    std::vector<MediaFileItem>* target = nullptr;
    if (entry.path.find("CameraRollDomain-Media/DCIM/") != std::string::npos) {
      target = &cameraRoll;
    } else if (entry.path.find("MediaDomain-Media/PhotoStreamsData/") != std::string::npos) {
      target = &photoStream;
    }
    if (target != nullptr) {
      std::string stored = walk.StoredPath(entry);
      // Folders of the roll have no stored file; they are passed over without a report.
      if (!PathExists(stored)) {
        continue;
      }
      std::string sniffed;
      SniffFileType(stored, sniffed, counter);
      if (!sniffed.empty()) {
        auto size = static_cast<uint32_t>(StoredFileSize(stored));
        target->push_back(MediaFileItem{size, BaseName(entry.path), stored});
      }
    }
    if (int32_t answer = progress.Next(); answer != 0) {
      return Result::Answer(answer);
    }
  }
  SortByName(cameraRoll);
  SortByName(photoStream);
  return Result::Answer(walk.Finish(walk.endShare));
}

}  // namespace zbe
