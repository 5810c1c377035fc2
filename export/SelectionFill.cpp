#include "export/SelectionFill.h"

#include <vector>

namespace zbe {
namespace {

template <typename Items>
std::vector<uint64_t> Sizes(const Items& items) {
  std::vector<uint64_t> sizes;
  sizes.reserve(items.size());
  for (const auto& item : items) {
    sizes.push_back(item.size);
  }
  return sizes;
}

std::vector<AppFolderSizes> Folders(const AppMediaGroups& groups) {
  std::vector<AppFolderSizes> folders;
  folders.reserve(groups.size());
  for (const auto& [app, items] : groups) {
    folders.push_back(AppFolderSizes{app, Sizes(items)});
  }
  return folders;
}

template <typename Rows, typename Key>
std::vector<int32_t> Keys(const Rows& rows, Key key) {
  std::vector<int32_t> keys;
  keys.reserve(rows.size());
  for (const auto& row : rows) {
    keys.push_back(key(row));
  }
  return keys;
}

}  // namespace

void AddScanCategory(const ScanResults& results, RecordCategory category,
                     CStatisticsObj& selection) {
  switch (category) {
    case RecordCategory::kCameraRoll:
      selection.AddCategory(category, Sizes(results.cameraRoll));
      break;
    case RecordCategory::kPhotoStream:
      selection.AddCategory(category, Sizes(results.photoStream));
      break;
    case RecordCategory::kAppPhotos:
      selection.AddAppCategory(category, Folders(results.appPhotos));
      break;
    case RecordCategory::kAppVideos:
      selection.AddAppCategory(category, Folders(results.appVideos));
      break;
    case RecordCategory::kMessages:
      selection.AddThreadCategory(
          category,
          Keys(results.conversationRows, [](const MessageRecord& row) { return row.handleId; }));
      break;
    case RecordCategory::kMessageAttachments:
      selection.AddCategory(category, Sizes(results.messageAttachments));
      break;
    case RecordCategory::kContacts:
      selection.AddRecordCategory(category, results.contacts.size());
      break;
    case RecordCategory::kCallHistory:
      selection.AddRecordCategory(category, results.calls.size());
      break;
    case RecordCategory::kNotes:
      selection.AddRecordCategory(category, results.notes.size());
      break;
    case RecordCategory::kWhatsApp:
      selection.AddThreadCategory(
          category, Keys(results.chatRows, [](const WhatsAppMessage& row) { return row.chatId; }));
      break;
    case RecordCategory::kWhatsAppAttachments:
      selection.AddCategory(category, Sizes(results.whatsAppAttachments));
      break;
    case RecordCategory::kReminder:
    case RecordCategory::kCalendar:
    case RecordCategory::kSafariBookmark:
      selection.AddRecordCategory(category, 0);
      break;
  }
}

void FillSelection(const ScanResults& results, CStatisticsObj& selection) {
  selection.Clear();
  for (int32_t i = 0; i < kRecordCategoryCount; ++i) {
    if (results.categoryResults[static_cast<size_t>(i)].has_value()) {
      AddScanCategory(results, static_cast<RecordCategory>(i), selection);
    }
  }
}

}  // namespace zbe
