#include "records/RecordCategory.h"

namespace zbe {

const std::array<RecordCategoryInfo, kRecordCategoryCount>& RecordCategories() {
  static const std::array<RecordCategoryInfo, kRecordCategoryCount> kTable = {{
      {RecordCategory::kCameraRoll, "Camera Roll", "OptCameraRoll", "Camera Roll", true},
      {RecordCategory::kPhotoStream, "Photo Stream", "OptPhotoStream", "Photo Stream", true},
      {RecordCategory::kAppPhotos, "App Photos", "OptAppPhotos", "App Photos", true},
      {RecordCategory::kAppVideos, "App Videos", "OptAppVideos", "App Videos", true},
      {RecordCategory::kMessages, "Messages", "OptMessages", "Messages", true},
      // The tree's label differs from the category's name here.
      {RecordCategory::kMessageAttachments, "Message Attachments", "OptMessageAtts",
       "Messages Attachments", true},
      {RecordCategory::kContacts, "Contacts", "OptContacts", "Contacts", true},
      {RecordCategory::kCallHistory, "Call History", "OptCallHistory", "Call History", true},
      {RecordCategory::kNotes, "Notes", "OptNotes", "Notes", true},
      {RecordCategory::kWhatsApp, "WhatsApp", "WhatsApp", "WhatsApp", true},
      {RecordCategory::kWhatsAppAttachments, "WhatsApp Attachments", "OptWhatsAppAtts",
       "WhatsApp Attachments", true},
      {RecordCategory::kReminder, "Reminder", "OptReminder", "Reminder", false},
      {RecordCategory::kCalendar, "Calendar", "OptCalendar", "Calendar", false},
      {RecordCategory::kSafariBookmark, "Safari Bookmark", "SafariBookmark", "Safari Bookmark",
       false},
  }};
  return kTable;
}

const RecordCategoryInfo& CategoryInfo(RecordCategory category) {
  return RecordCategories()[static_cast<size_t>(category)];
}

}  // namespace zbe
