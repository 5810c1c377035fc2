#include "records/ScanResults.h"

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

size_t CountItems(const AppMediaGroups& groups) {
  size_t count = 0;
  for (const auto& [app, items] : groups) {
    count += items.size();
  }
  return count;
}

}  // namespace zbe
