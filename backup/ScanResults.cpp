#include "backup/ScanResults.h"

#include "backup/MediaExtensions.h"

namespace zbe {
namespace {

template <typename Map>
auto LastOfEach(const Map& threads) {
  std::vector<typename Map::mapped_type::value_type> rows;
  rows.reserve(threads.size());
  for (const auto& [key, thread] : threads) {
    // A reader never delivers an empty thread; one would have no row to show.
    if (!thread.empty()) {
      rows.push_back(thread.back());
    }
  }
  return rows;
}

}  // namespace

std::vector<MessageRecord> BuildConversationRows(const MessageThreadMap& threads) {
  return LastOfEach(threads);
}

std::vector<WhatsAppMessage> BuildChatRows(const WhatsAppThreadMap& chats) {
  return LastOfEach(chats);
}

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

size_t CountItems(const AppMediaGroups& groups) {
  size_t count = 0;
  for (const auto& [app, items] : groups) {
    count += items.size();
  }
  return count;
}

size_t CategoryCount(const ScanResults& results, RecordCategory category) {
  switch (category) {
    case RecordCategory::kCameraRoll:
      return results.cameraRoll.size();
    case RecordCategory::kPhotoStream:
      return results.photoStream.size();
    case RecordCategory::kAppPhotos:
      return CountItems(results.appPhotos);
    case RecordCategory::kAppVideos:
      return CountItems(results.appVideos);
    case RecordCategory::kMessages:
      return results.conversationRows.size();
    case RecordCategory::kMessageAttachments:
      return results.messageAttachments.size();
    case RecordCategory::kContacts:
      return results.contacts.size();
    case RecordCategory::kCallHistory:
      return results.calls.size();
    case RecordCategory::kNotes:
      return results.notes.size();
    case RecordCategory::kWhatsApp:
      return results.chatRows.size();
    case RecordCategory::kWhatsAppAttachments:
      return results.whatsAppAttachments.size();
    case RecordCategory::kReminder:
    case RecordCategory::kCalendar:
    case RecordCategory::kSafariBookmark:
      break;
  }
  return 0;
}

}  // namespace zbe
