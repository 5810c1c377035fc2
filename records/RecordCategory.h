#pragma once

#include <cstdint>

namespace zbe {

// The fourteen data categories, in the order the file type page offers them. The values are the
// categories' indexes. Everything else that is known of a category is its row of the category
// table (records/CategoryTable.h).
enum class RecordCategory : int32_t {
  kCameraRoll = 0,
  kPhotoStream = 1,
  kAppPhotos = 2,
  kAppVideos = 3,
  kMessages = 4,
  kMessageAttachments = 5,
  kContacts = 6,
  kCallHistory = 7,
  kNotes = 8,
  kWhatsApp = 9,
  kWhatsAppAttachments = 10,
  kReminder = 11,
  kCalendar = 12,
  kSafariBookmark = 13,
};

inline constexpr int32_t kRecordCategoryCount = 14;

}  // namespace zbe
