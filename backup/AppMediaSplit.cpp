#include "backup/AppMediaSplit.h"

#include "backup/MediaExtensions.h"

namespace zbe {

bool IsAppVideo(const AppMediaItem& item) {
  std::string_view extension = ExtensionOf(item.name);
  return IsVideoExtension(extension) || IsAudioExtension(extension);
}

void SplitAppMedia(const std::vector<AppMediaItem>& media, AppMediaGroups* photos,
                   AppMediaGroups* videos) {
  for (const AppMediaItem& item : media) {
    AppMediaGroups* target = IsAppVideo(item) ? videos : photos;
    if (target != nullptr) {
      (*target)[item.app].push_back(item);
    }
  }
}

}  // namespace zbe
