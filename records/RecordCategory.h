#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zbe {

// The fourteen data categories, in the order the file type page offers them. The values are the
// categories' indexes.
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

struct RecordCategoryInfo {
  RecordCategory category;
  std::string_view name;           // the category's name
  std::string_view optionControl;  // its check box on the file type page
  std::string_view treeLabel;      // its node in the category tree, before " (count)"
  bool hasReader;                  // false for the three categories that nothing fills
};

// One row per category, in index order.
const std::array<RecordCategoryInfo, kRecordCategoryCount>& RecordCategories();

// The row of "category".
const RecordCategoryInfo& CategoryInfo(RecordCategory category);

}  // namespace zbe
