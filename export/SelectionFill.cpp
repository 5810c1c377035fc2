#include "export/SelectionFill.h"

#include <vector>

#include "records/CategoryTable.h"

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

template <typename Row>
std::vector<int32_t> Keys(const std::vector<Row>& rows) {
  std::vector<int32_t> keys;
  keys.reserve(rows.size());
  for (const Row& row : rows) {
    keys.push_back(ThreadKey(row));
  }
  return keys;
}

// Adds one category to the selection, by the shape of its results.
struct Fill {
  RecordCategory category;
  CStatisticsObj& selection;

  void operator()(NoResults) const { selection.AddRecordCategory(category, 0); }
  void operator()(const AppMediaGroups& groups) const {
    selection.AddAppCategory(category, Folders(groups));
  }
  template <typename Map, typename Row>
  void operator()(const ThreadResults<Map, Row>& threads) const {
    selection.AddThreadCategory(category, Keys(threads.rows));
  }
  template <typename Item>
  void operator()(const std::vector<Item>& items) const {
    if constexpr (FileItem<Item>) {
      selection.AddCategory(category, Sizes(items));
    } else {
      selection.AddRecordCategory(category, items.size());
    }
  }
};

}  // namespace

void AddScanCategory(const ScanResults& results, RecordCategory category,
                     CStatisticsObj& selection) {
  VisitContainer(results, category, Fill{category, selection});
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
