#include "backup/AppMediaGathering.h"

#include "backup/FileTypeSniffer.h"
#include "backup/MediaExtensions.h"
#include "backup/MediaMarkers.h"
#include "backup/MediaSort.h"

namespace zbe {
namespace {

// A recognised file of an app: its stored path, full size and listed name.
struct AppFile {
  std::string stored;
  uint64_t size = 0;
  std::string name;
};

// Types the stored file of "entry"; false when it is not recognised.
bool RecogniseAppFile(const MediaWalk& walk, const ManifestEntry& entry, int64_t& counter,
                      AppFile& file) {
  file.stored = walk.StoredPath(entry);
  std::string sniffed;
  file.size = SniffStoredFile(file.stored, counter, sniffed).size;
  if (sniffed.empty()) {
    return false;
  }
  file.name = AdjustedName(BaseName(entry.path), ExtensionOf(sniffed));
  return true;
}

// An empty attachment is a download that never completed; it is left out. The test is on the
// whole size, so that a file of a multiple of 4 GiB (whose listed size is 0) is still listed.
void AddWhatsAppAttachment(AppFile&& file, std::vector<MediaFileItem>& attachments) {
  if (file.size != 0) {
    attachments.push_back(MediaFileItem{static_cast<uint32_t>(file.size), std::move(file.name),
                                        std::move(file.stored)});
  }
}

}  // namespace

Result GatherAppMedia(const MediaWalk& walk, std::vector<AppMediaItem>& media,
                      std::vector<MediaFileItem>& whatsAppAttachments) {
  whatsAppAttachments.clear();
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    AppFile file;
    if (IsAppFilePath(entry.path) && RecogniseAppFile(walk, entry, counter, file)) {
      if (IsWhatsAppFilePath(entry.path)) {
        AddWhatsAppAttachment(std::move(file), whatsAppAttachments);
      } else {
        media.push_back(AppMediaItem{static_cast<uint32_t>(file.size), AppNameOf(entry.path),
                                     std::move(file.name), std::move(file.stored)});
      }
    }
    if (int32_t answer = progress.Next(); answer != 0) {
      return Result::Answer(answer);
    }
  }
  SortByName(media);
  SortByName(whatsAppAttachments);
  walk.Finish(walk.endShare);
  return Result::Ok();
}

Result GatherWhatsAppAttachments(const MediaWalk& walk,
                                 std::vector<MediaFileItem>& whatsAppAttachments) {
  whatsAppAttachments.clear();
  EntryProgress progress(walk);
  int64_t counter = 0;
  for (const ManifestEntry& entry : walk.manifest) {
    AppFile file;
    if (IsWhatsAppFilePath(entry.path) && RecogniseAppFile(walk, entry, counter, file)) {
      AddWhatsAppAttachment(std::move(file), whatsAppAttachments);
    }
    if (int32_t answer = progress.Next(); answer != 0) {
      return Result::Answer(answer);
    }
  }
  SortByName(whatsAppAttachments);
  return Result::Ok();
}

}  // namespace zbe
