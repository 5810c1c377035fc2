#include "backup/CameraRollGathering.h"

#include "backup/FileTypeSniffer.h"
#include "backup/MediaMarkers.h"
#include "backup/MediaSort.h"

namespace zbe {

Result GatherCameraRoll(const MediaWalk& walk, std::vector<MediaFileItem>& cameraRoll,
                        std::vector<MediaFileItem>& photoStream) {
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    std::vector<MediaFileItem>* target = nullptr;
    if (IsCameraRollPath(entry.path)) {
      target = &cameraRoll;
    } else if (IsPhotoStreamPath(entry.path)) {
      target = &photoStream;
    }
    if (target != nullptr) {
      std::string stored = walk.StoredPath(entry);
      std::string sniffed;
      SniffedFile file = SniffStoredFile(stored, counter, sniffed);
      // Folders of the roll have no stored file; they are passed over without a report.
      if (!file.present) {
        continue;
      }
      if (!sniffed.empty()) {
        target->push_back(MediaFileItem{static_cast<uint32_t>(file.size), BaseName(entry.path),
                                        std::move(stored)});
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
