#include "cli/ScanJson.h"

#include "cli/ScanCategories.h"

namespace zbe::cli {
namespace {

using Json = nlohmann::ordered_json;

template <typename Item>
Json FileItem(const Item& item) {
  return Json{{"size", item.size}, {"name", item.name}, {"path", item.path}};
}

Json FileItem(const AppMediaItem& item) {
  return Json{{"size", item.size}, {"app", item.app}, {"name", item.name}, {"path", item.path}};
}

Json RecordJson(const MessageRecord& m) {
  return Json{{"isFromMe", m.isFromMe}, {"rowId", m.rowId},   {"handleId", m.handleId},
              {"date", m.date},         {"sender", m.sender}, {"contactName", m.contactName},
              {"text", m.text}};
}

Json RecordJson(const ContactRecord& c) {
  return Json{{"email", c.email}, {"address", c.address}, {"social", c.social}, {"url", c.url},
              {"phone", c.phone}, {"company", c.company}, {"name", c.name}};
}

Json RecordJson(const CallRecord& c) {
  return Json{{"answered", c.answered},
              {"duration", c.duration},
              {"date", c.date},
              {"address", c.address},
              {"contactName", c.contactName}};
}

Json RecordJson(const NoteRecord& n) {
  return Json{{"date", n.date}, {"title", n.title}, {"body", n.body}};
}

Json RecordJson(const WhatsAppMessage& m) {
  return Json{{"isFromMe", m.isFromMe},     {"messageId", m.messageId},
              {"chatId", m.chatId},         {"date", m.date},
              {"senderName", m.senderName}, {"text", m.text},
              {"pushName", m.pushName},     {"memberNames", m.memberNames},
              {"memberJids", m.memberJids}, {"chatName", m.chatName}};
}

template <typename Item>
Json Items(const std::vector<Item>& items) {
  Json list = Json::array();
  for (const Item& item : items) {
    list.push_back(FileItem(item));
  }
  return list;
}

Json Items(const AppMediaGroups& groups) {
  Json list = Json::array();
  for (const auto& [app, items] : groups) {
    for (const AppMediaItem& item : items) {
      list.push_back(FileItem(item));
    }
  }
  return list;
}

template <typename Record>
Json Records(const std::vector<Record>& records) {
  Json list = Json::array();
  for (const Record& record : records) {
    list.push_back(RecordJson(record));
  }
  return list;
}

template <typename Map>
Json Threads(const Map& threads, const char* key) {
  Json list = Json::array();
  for (const auto& [id, messages] : threads) {
    list.push_back(Json{{key, id}, {"messages", Records(messages)}});
  }
  return list;
}

}  // namespace

Json ScanCategoriesToJson(const ScanResults& results, const CategorySet& chosen) {
  using C = RecordCategory;
  Json categories = Json::object();
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (!chosen.Has(info.category)) {
      continue;
    }
    Json entry;
    const auto& result = results.categoryResults[static_cast<size_t>(info.category)];
    entry["result"] = result ? Json(*result) : Json(nullptr);
    switch (info.category) {
      case C::kCameraRoll:
        entry["items"] = Items(results.cameraRoll);
        break;
      case C::kPhotoStream:
        entry["items"] = Items(results.photoStream);
        break;
      case C::kAppPhotos:
        entry["items"] = Items(results.appPhotos);
        break;
      case C::kAppVideos:
        entry["items"] = Items(results.appVideos);
        break;
      case C::kMessages:
        entry["threads"] = Threads(results.messages, "handleId");
        break;
      case C::kMessageAttachments:
        entry["items"] = Items(results.messageAttachments);
        break;
      case C::kContacts:
        entry["records"] = Records(results.contacts);
        break;
      case C::kCallHistory:
        entry["records"] = Records(results.calls);
        break;
      case C::kNotes:
        entry["records"] = Records(results.notes);
        break;
      case C::kWhatsApp:
        entry["threads"] = Threads(results.whatsApp, "chatId");
        break;
      case C::kWhatsAppAttachments:
        entry["items"] = Items(results.whatsAppAttachments);
        break;
      case C::kReminder:
      case C::kCalendar:
      case C::kSafariBookmark:
        entry["records"] = Json::array();
        break;
    }
    categories[std::string(CategoryCliName(info.category))] = std::move(entry);
  }
  return categories;
}

}  // namespace zbe::cli
