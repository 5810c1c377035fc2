#pragma once

#include <cstdint>
#include <string>

namespace zbe {

// File items name one stored file of the backup each; copyable values held in vectors.

// A camera roll, photo stream or WhatsApp attachment file.
struct MediaFileItem {
  uint32_t size = 0;  // low 32 bits of the stored file's size
  std::string name;   // name shown to the user and used for the exported copy
  std::string path;   // the stored file's path
};

// A message attachment.
struct AttachmentItem {
  uint32_t size = 0;
  std::string name;
  std::string path;
};

// A photo or video of an app.
struct AppMediaItem {
  uint32_t size = 0;
  std::string app;  // the app's name, or "other"
  std::string name;
  std::string path;
};

// The types above: each names one stored file, with its listed size and name. Writers tell file
// lists from record lists by it.
template <typename T>
concept FileItem = requires(const T& item) {
  item.size;
  item.name;
  item.path;
};

}  // namespace zbe
