#include "records/CategoryTable.h"

namespace zbe {
namespace {

using Shape = CategoryShape;
using Step = ReadStep;
using C = RecordCategory;

// Counts as the category tree does.
struct TreeCount {
  size_t operator()(NoResults) const { return 0; }
  size_t operator()(const AppMediaGroups& groups) const { return CountItems(groups); }
  template <typename Map, typename Row>
  size_t operator()(const ThreadResults<Map, Row>& threads) const {
    return threads.rows.size();
  }
  template <typename Item>
  size_t operator()(const std::vector<Item>& items) const {
    return items.size();
  }
};

}  // namespace

const std::array<RecordCategoryInfo, kRecordCategoryCount>& RecordCategories() {
  static const std::array<RecordCategoryInfo, kRecordCategoryCount> kTable = {{
      {C::kCameraRoll, "Camera Roll", "camera-roll", "OptCameraRoll", "Camera Roll", Shape::kFiles,
       &ScanResults::cameraRoll, Step::kCameraRoll, 1, "Camera Roll"},
      {C::kPhotoStream, "Photo Stream", "photo-stream", "OptPhotoStream", "Photo Stream",
       Shape::kFiles, &ScanResults::photoStream, Step::kCameraRoll, 2, "Photo Stream"},
      {C::kAppPhotos, "App Photos", "app-photos", "OptAppPhotos", "App Photos", Shape::kAppFiles,
       &ScanResults::appPhotos, Step::kAppMedia, 3, "App Photos"},
      {C::kAppVideos, "App Videos", "app-videos", "OptAppVideos", "App Videos", Shape::kAppFiles,
       &ScanResults::appVideos, Step::kAppMedia, 4, "App Video"},
      {C::kMessages, "Messages", "messages", "OptMessages", "Messages", Shape::kThreads,
       ThreadContainers<MessageThreadMap, MessageRecord>{&ScanResults::messages,
                                                         &ScanResults::conversationRows},
       Step::kMessages, 5, "Message"},
      // The tree's label differs from the category's name here.
      {C::kMessageAttachments, "Message Attachments", "message-attachments", "OptMessageAtts",
       "Messages Attachments", Shape::kFiles, &ScanResults::messageAttachments,
       Step::kMessageAttachments, 6, "Message Attachments"},
      {C::kContacts, "Contacts", "contacts", "OptContacts", "Contacts", Shape::kRecords,
       &ScanResults::contacts, Step::kContacts, 7, "Contacts"},
      {C::kCallHistory, "Call History", "call-history", "OptCallHistory", "Call History",
       Shape::kRecords, &ScanResults::calls, Step::kCallHistory, 8, "CallHistory"},
      {C::kNotes, "Notes", "notes", "OptNotes", "Notes", Shape::kRecords, &ScanResults::notes,
       Step::kNotes, 9, "Notes"},
      {C::kWhatsApp, "WhatsApp", "whatsapp", "WhatsApp", "WhatsApp", Shape::kThreads,
       ThreadContainers<WhatsAppThreadMap, WhatsAppMessage>{&ScanResults::whatsApp,
                                                            &ScanResults::chatRows},
       Step::kWhatsApp, 10, "WhatsApp Message"},
      {C::kWhatsAppAttachments, "WhatsApp Attachments", "whatsapp-attachments", "OptWhatsAppAtts",
       "WhatsApp Attachments", Shape::kFiles, &ScanResults::whatsAppAttachments,
       Step::kWhatsAppAttachments, 11, "WhatsApp Attachments"},
      {C::kReminder, "Reminder", "reminder", "OptReminder", "Reminder", Shape::kNone,
       std::monostate{}, Step::kNone, 12, ""},
      {C::kCalendar, "Calendar", "calendar", "OptCalendar", "Calendar", Shape::kNone,
       std::monostate{}, Step::kNone, 13, ""},
      {C::kSafariBookmark, "Safari Bookmark", "safari-bookmark", "SafariBookmark",
       "Safari Bookmark", Shape::kNone, std::monostate{}, Step::kNone, 14, ""},
  }};
  return kTable;
}

const RecordCategoryInfo& CategoryInfo(RecordCategory category) {
  return RecordCategories()[static_cast<size_t>(category)];
}

void ClearContainer(ScanResults& results, RecordCategory category) {
  std::visit(
      [&results](const auto& where) {
        using Where = std::decay_t<decltype(where)>;
        if constexpr (std::is_member_object_pointer_v<Where>) {
          (results.*where).clear();
        } else if constexpr (!std::is_same_v<Where, std::monostate>) {
          (results.*(where.threads)).clear();
          (results.*(where.rows)).clear();
        }
      },
      CategoryInfo(category).container);
}

size_t CategoryCount(const ScanResults& results, RecordCategory category) {
  return VisitContainer(results, category, TreeCount{});
}

}  // namespace zbe
