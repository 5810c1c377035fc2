#pragma once

#include <string_view>

#include "backup/WhatsAppSharedMedia.h"

namespace zbe {

// Which stored files each media walk opens, by their manifest path (domain, "-", relative path).
// The walks and the benchmarks' floors ask the same questions here.

inline bool IsCameraRollPath(std::string_view path) {
  return path.find("CameraRollDomain-Media/DCIM/") != std::string_view::npos;
}

inline bool IsPhotoStreamPath(std::string_view path) {
  return path.find("MediaDomain-Media/PhotoStreamsData/") != std::string_view::npos;
}

inline bool IsMessageAttachmentPath(std::string_view path) {
  return path.find("/Attachments/") != std::string_view::npos;
}

// A file of an app's own domain ("AppDomain-"), or WhatsApp's media in its app group.
inline bool IsAppFilePath(std::string_view path) {
  return IsWhatsAppSharedMedia(path) || path.find("AppDomain-") != std::string_view::npos;
}

// An app file that belongs to WhatsApp: its app domain, or its media in its app group.
inline bool IsWhatsAppFilePath(std::string_view path) {
  return IsWhatsAppSharedMedia(path) ||
         (path.find("AppDomain-") != std::string_view::npos &&
          path.find("net.whatsapp.WhatsApp") != std::string_view::npos);
}

}  // namespace zbe
