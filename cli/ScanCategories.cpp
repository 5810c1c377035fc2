#include "cli/ScanCategories.h"

#include <array>

namespace zbe::cli {
namespace {

// Names in category order.
constexpr std::array<std::string_view, kRecordCategoryCount> kNames = {
    "camera-roll",          "photo-stream", "app-photos",   "app-videos",      "messages",
    "message-attachments",  "contacts",     "call-history", "notes",           "whatsapp",
    "whatsapp-attachments", "reminder",     "calendar",     "safari-bookmark",
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::string_view CategoryCliName(RecordCategory category) {
  return kNames[static_cast<size_t>(category)];
}

std::optional<RecordCategory> CategoryFromCliName(std::string_view name) {
  for (size_t index = 0; index < kNames.size(); ++index) {
    if (kNames[index] == name) {
      return static_cast<RecordCategory>(index);
    }
  }
  return std::nullopt;
}

std::string ParseCategoryList(std::string_view list, CategorySet& chosen) {
  CategorySet parsed;
  while (true) {
    size_t comma = list.find(',');
    std::string_view name = Trim(list.substr(0, comma));
    if (!name.empty()) {
      std::optional<RecordCategory> category = CategoryFromCliName(name);
      if (!category) {
        return "unknown category \"" + std::string(name) + "\"";
      }
      parsed.Add(*category);
    }
    if (comma == std::string_view::npos) {
      break;
    }
    list.remove_prefix(comma + 1);
  }
  if (parsed.empty()) {
    return "no category given";
  }
  chosen = parsed;
  return {};
}

}  // namespace zbe::cli
