#include "cli/ScanJson.h"

#include "cli/SummaryOutput.h"
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

// Writes JSON text to a file in large pieces, with the layout of dump(2): a value written at
// nesting depth d has every line after its first indented by 2 × d spaces (JSON text never
// holds a raw line break inside a string, so indenting after each one is exact).
class JsonWriter {
 public:
  explicit JsonWriter(std::FILE* out) : out_(out) {}
  ~JsonWriter() { Flush(); }
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void Text(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kFlushBytes) {
      Flush();
    }
  }
  void Indent(int depth) { buffer_.append(static_cast<size_t>(depth) * 2, ' '); }
  void Value(const Json& value, int depth) {
    std::string text = value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    size_t start = 0;
    for (size_t pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', start)) {
      buffer_.append(text, start, pos + 1 - start);
      Indent(depth);
      start = pos + 1;
    }
    buffer_.append(text, start, std::string::npos);
    Text({});
  }
  void Flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
  }

 private:
  static constexpr size_t kFlushBytes = 1 << 20;
  std::FILE* out_;
  std::string buffer_;
};

// Writes a JSON array at "depth" one element at a time, as dump(2) lays it out.
class ArrayWriter {
 public:
  ArrayWriter(JsonWriter& out, int depth) : out_(out), depth_(depth) {}
  void Element(const Json& value) {
    out_.Text(first_ ? "[\n" : ",\n");
    first_ = false;
    out_.Indent(depth_ + 1);
    out_.Value(value, depth_ + 1);
  }
  void End() {
    if (first_) {
      out_.Text("[]");
      return;
    }
    out_.Text("\n");
    out_.Indent(depth_);
    out_.Text("]");
  }

 private:
  JsonWriter& out_;
  const int depth_;
  bool first_ = true;
};

// The elements of a category's list, one at a time (a thread with its messages is one element).
struct CategoryElements {
  ArrayWriter& array;
  void operator()(NoResults) const {}
  void operator()(const AppMediaGroups& groups) const {
    for (const auto& [app, items] : groups) {
      for (const AppMediaItem& item : items) {
        array.Element(FileItemJson(item));
      }
    }
  }
  template <typename Map, typename Row>
  void operator()(const ThreadResults<Map, Row>& threads) const {
    for (const auto& [id, messages] : threads.threads) {
      array.Element(Json{{ThreadKeyName(threads.threads), id}, {"messages", Records(messages)}});
    }
  }
  template <typename Element>
  void operator()(const std::vector<Element>& list) const {
    for (const Element& element : list) {
      if constexpr (FileItem<Element>) {
        array.Element(FileItemJson(element));
      } else {
        array.Element(RecordJson(element));
      }
    }
  }
};

// Writes ScanCategoriesToJson's object at "depth".
void WriteCategories(JsonWriter& out, const ScanResults& results, const CategorySet& chosen,
                     int depth) {
  bool first = true;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (!chosen.Has(info.category)) {
      continue;
    }
    out.Text(first ? "{\n" : ",\n");
    first = false;
    out.Indent(depth + 1);
    out.Value(Json(std::string(info.cliName)), depth + 1);
    out.Text(": {\n");
    out.Indent(depth + 2);
    const auto& result = results.categoryResults[static_cast<size_t>(info.category)];
    out.Text("\"result\": ");
    out.Value(result ? Json(*result) : Json(nullptr), depth + 2);
    out.Text(",\n");
    out.Indent(depth + 2);
    out.Value(Json(ListKey(info.shape)), depth + 2);
    out.Text(": ");
    ArrayWriter array(out, depth + 2);
    VisitContainer(results, info.category, CategoryElements{array});
    array.End();
    out.Text("\n");
    out.Indent(depth + 1);
    out.Text("}");
  }
  if (first) {
    out.Text("{}");
    return;
  }
  out.Text("\n");
  out.Indent(depth);
  out.Text("}");
}

}  // namespace

void PrintScanJson(const BackupSummary& summary, int32_t openResult, const ScanResults& results,
                   const CategorySet& chosen, std::FILE* out) {
  JsonWriter writer(out);
  writer.Text("{\n  \"summary\": ");
  writer.Value(SummaryToJson(summary), 1);
  writer.Text(",\n  \"open\": ");
  writer.Value(Json(openResult), 1);
  writer.Text(",\n  \"categories\": ");
  WriteCategories(writer, results, chosen, 1);
  writer.Text("\n}\n");
}

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
