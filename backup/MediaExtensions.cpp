#include "backup/MediaExtensions.h"

#include "platform/AsciiCase.h"

namespace zbe {

bool ExtensionInList(std::string_view list, std::string_view extension) {
  if (extension.empty()) {
    return false;
  }
  while (!list.empty()) {
    size_t bar = list.find('|');
    std::string_view entry = list.substr(0, bar);
    if (entry.size() == extension.size() + 2 && entry.substr(0, 2) == "*." &&
        AsciiCaseEquals(entry.substr(2), extension)) {
      return true;
    }
    if (bar == std::string_view::npos) {
      break;
    }
    list.remove_prefix(bar + 1);
  }
  return false;
}

bool IsPictureExtension(std::string_view extension) {
  return ExtensionInList(kPictureExtensions, extension);
}

bool IsAudioExtension(std::string_view extension) {
  return ExtensionInList(kAudioExtensions, extension);
}

bool IsVideoExtension(std::string_view extension) {
  return ExtensionInList(kVideoExtensions, extension);
}

MediaKind MediaKindOfExtension(std::string_view extension) {
  if (IsPictureExtension(extension)) {
    return MediaKind::kPicture;
  }
  if (IsAudioExtension(extension)) {
    return MediaKind::kAudio;
  }
  if (IsVideoExtension(extension)) {
    return MediaKind::kVideo;
  }
  return MediaKind::kNone;
}

std::string_view ExtensionOf(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

}  // namespace zbe
