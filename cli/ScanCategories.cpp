#include "cli/ScanCategories.h"

#include "records/CategoryTable.h"

namespace zbe::cli {
namespace {

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
  return CategoryInfo(category).cliName;
}

std::optional<RecordCategory> CategoryFromCliName(std::string_view name) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (info.cliName == name) {
      return info.category;
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
