#include "cli/ScanJson.h"

#include "records/CategoryTable.h"

namespace zbe::cli {
namespace {

using Json = nlohmann::ordered_json;

template <typename Item>
Json FileItemJson(const Item& item) {
  return Json{{"size", item.size}, {"name", item.name}, {"path", item.path}};
}

Json FileItemJson(const AppMediaItem& item) {
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
    list.push_back(FileItemJson(item));
  }
  return list;
}

Json Items(const AppMediaGroups& groups) {
  Json list = Json::array();
  for (const auto& [app, items] : groups) {
    for (const AppMediaItem& item : items) {
      list.push_back(FileItemJson(item));
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

// The name under which a thread's key is listed.
const char* ThreadKeyName(const MessageThreadMap&) {
  return "handleId";
}
const char* ThreadKeyName(const WhatsAppThreadMap&) {
  return "chatId";
}

template <typename Map>
Json Threads(const Map& threads) {
  Json list = Json::array();
  for (const auto& [id, messages] : threads) {
    list.push_back(Json{{ThreadKeyName(threads), id}, {"messages", Records(messages)}});
  }
  return list;
}

// The key of a category's list: "items" for files, "threads" for conversations, "records" for
// the others.
const char* ListKey(CategoryShape shape) {
  switch (shape) {
    case CategoryShape::kFiles:
    case CategoryShape::kAppFiles:
      return "items";
    case CategoryShape::kThreads:
      return "threads";
    case CategoryShape::kRecords:
    case CategoryShape::kNone:
      break;
  }
  return "records";
}

// The list of a category's results.
struct CategoryJson {
  Json operator()(NoResults) const { return Json::array(); }
  Json operator()(const AppMediaGroups& groups) const { return Items(groups); }
  template <typename Map, typename Row>
  Json operator()(const ThreadResults<Map, Row>& threads) const {
    return Threads(threads.threads);
  }
  template <typename Element>
  Json operator()(const std::vector<Element>& list) const {
    if constexpr (FileItem<Element>) {
      return Items(list);
    } else {
      return Records(list);
    }
  }
};

}  // namespace

Json ScanCategoriesToJson(const ScanResults& results, const CategorySet& chosen) {
  Json categories = Json::object();
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (!chosen.Has(info.category)) {
      continue;
    }
    Json entry;
    const auto& result = results.categoryResults[static_cast<size_t>(info.category)];
    entry["result"] = result ? Json(*result) : Json(nullptr);
    entry[ListKey(info.shape)] = VisitContainer(results, info.category, CategoryJson{});
    categories[std::string(info.cliName)] = std::move(entry);
  }
  return categories;
}

}  // namespace zbe::cli
