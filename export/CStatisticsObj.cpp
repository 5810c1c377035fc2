#include "export/CStatisticsObj.h"

#include <algorithm>
#include <utility>

#include "records/CategoryTable.h"

namespace zbe {
namespace {

CheckState StateOf(uint64_t checked, uint64_t total) {
  if (checked == 0) {
    return CheckState::kUnchecked;
  }
  return checked == total ? CheckState::kChecked : CheckState::kHalfChecked;
}

StatisticsEntry ContainerEntry(StatisticsEntry::Kind kind, RecordCategory category,
                               CheckState state, uint64_t size) {
  StatisticsEntry entry;
  entry.kind = kind;
  entry.category = category;
  entry.categoryNumber = CategoryInfo(category).statisticsNumber;
  entry.checked = state == CheckState::kChecked;
  entry.size = size;
  return entry;
}

}  // namespace

void CStatisticsObj::Clear() {
  categories_ = {};
}

CStatisticsObj::Category* CStatisticsObj::Find(RecordCategory category) {
  auto index = static_cast<size_t>(category);
  return index < categories_.size() ? &categories_[index] : nullptr;
}

const CStatisticsObj::Category* CStatisticsObj::Find(RecordCategory category) const {
  auto index = static_cast<size_t>(category);
  return index < categories_.size() ? &categories_[index] : nullptr;
}

CStatisticsObj::Folder* CStatisticsObj::FindFolder(Category* category, std::string_view app) {
  return const_cast<Folder*>(FindFolder(static_cast<const Category*>(category), app));
}

const CStatisticsObj::Folder* CStatisticsObj::FindFolder(const Category* category,
                                                         std::string_view app) {
  if (category == nullptr) {
    return nullptr;
  }
  for (const Folder& folder : category->folders) {
    if (folder.app == app) {
      return &folder;
    }
  }
  return nullptr;
}

void CStatisticsObj::Replace(RecordCategory category, bool hasFolders, std::vector<Item> items,
                             std::vector<Folder> folders) {
  Category* target = Find(category);
  if (target == nullptr) {
    return;
  }
  Category fresh;
  fresh.present = true;
  fresh.hasFolders = hasFolders;
  auto count = [&fresh](const Item& item) {
    fresh.totals.totalCount += 1;
    fresh.totals.totalSize += item.size;
  };
  std::for_each(items.begin(), items.end(), count);
  for (Folder& folder : folders) {
    std::for_each(folder.items.begin(), folder.items.end(), count);
    folder.checkedCount = folder.items.size();
  }
  fresh.totals.checkedCount = fresh.totals.totalCount;
  fresh.totals.checkedSize = fresh.totals.totalSize;
  fresh.items = std::move(items);
  fresh.folders = std::move(folders);
  *target = std::move(fresh);
}

void CStatisticsObj::AddCategory(RecordCategory category, const std::vector<uint64_t>& itemSizes) {
  std::vector<Item> items(itemSizes.size());
  for (size_t i = 0; i < itemSizes.size(); ++i) {
    items[i].size = std::max(itemSizes[i], kMinimumItemSize);
  }
  Replace(category, false, std::move(items), {});
}

void CStatisticsObj::AddRecordCategory(RecordCategory category, size_t recordCount) {
  Replace(category, false, std::vector<Item>(recordCount), {});
}

void CStatisticsObj::AddThreadCategory(RecordCategory category,
                                       const std::vector<int32_t>& threadKeys) {
  std::vector<Item> items(threadKeys.size());
  for (size_t i = 0; i < threadKeys.size(); ++i) {
    items[i].threadKey = threadKeys[i];
  }
  Replace(category, false, std::move(items), {});
}

void CStatisticsObj::AddAppCategory(RecordCategory category,
                                    const std::vector<AppFolderSizes>& folders) {
  std::vector<Folder> merged;
  for (const AppFolderSizes& input : folders) {
    auto it = std::find_if(merged.begin(), merged.end(),
                           [&input](const Folder& folder) { return folder.app == input.app; });
    if (it == merged.end()) {
      merged.push_back(Folder{input.app, {}, 0});
      it = merged.end() - 1;
    }
    for (uint64_t size : input.itemSizes) {
      it->items.push_back(Item{std::max(size, kMinimumItemSize), true, std::nullopt});
    }
  }
  Replace(category, true, {}, std::move(merged));
}

bool CStatisticsObj::HasCategory(RecordCategory category) const {
  const Category* found = Find(category);
  return found != nullptr && found->present;
}

void CStatisticsObj::SetFlag(Category& category, Folder* folder, Item& item, bool checked) {
  if (item.checked == checked) {
    return;
  }
  item.checked = checked;
  StatisticsTotals& totals = category.totals;
  if (checked) {
    totals.checkedCount += 1;
    totals.checkedSize += item.size;
    if (folder != nullptr) {
      folder->checkedCount += 1;
    }
  } else {
    totals.checkedCount -= 1;
    totals.checkedSize -= item.size;
    if (folder != nullptr) {
      folder->checkedCount -= 1;
    }
  }
}

bool CStatisticsObj::SetItemChecked(RecordCategory category, size_t index, bool checked) {
  Category* found = Find(category);
  if (found == nullptr || found->hasFolders || index >= found->items.size()) {
    return false;
  }
  SetFlag(*found, nullptr, found->items[index], checked);
  return true;
}

bool CStatisticsObj::SetAppItemChecked(RecordCategory category, std::string_view app, size_t index,
                                       bool checked) {
  Category* found = Find(category);
  Folder* folder = FindFolder(found, app);
  if (folder == nullptr || index >= folder->items.size()) {
    return false;
  }
  SetFlag(*found, folder, folder->items[index], checked);
  return true;
}

bool CStatisticsObj::SetAppFolderChecked(RecordCategory category, std::string_view app,
                                         bool checked) {
  Category* found = Find(category);
  Folder* folder = FindFolder(found, app);
  if (folder == nullptr) {
    return false;
  }
  for (Item& item : folder->items) {
    SetFlag(*found, folder, item, checked);
  }
  return true;
}

bool CStatisticsObj::SetCategoryChecked(RecordCategory category, bool checked) {
  Category* found = Find(category);
  if (found == nullptr || !found->present) {
    return false;
  }
  for (Item& item : found->items) {
    SetFlag(*found, nullptr, item, checked);
  }
  for (Folder& folder : found->folders) {
    for (Item& item : folder.items) {
      SetFlag(*found, &folder, item, checked);
    }
  }
  return true;
}

bool CStatisticsObj::IsItemChecked(RecordCategory category, size_t index) const {
  const Category* found = Find(category);
  return found != nullptr && !found->hasFolders && index < found->items.size() &&
         found->items[index].checked;
}

bool CStatisticsObj::IsAppItemChecked(RecordCategory category, std::string_view app,
                                      size_t index) const {
  const Folder* folder = FindFolder(Find(category), app);
  return folder != nullptr && index < folder->items.size() && folder->items[index].checked;
}

CheckState CStatisticsObj::CategoryState(RecordCategory category) const {
  StatisticsTotals totals = CategoryTotals(category);
  return StateOf(totals.checkedCount, totals.totalCount);
}

CheckState CStatisticsObj::AppFolderState(RecordCategory category, std::string_view app) const {
  const Folder* folder = FindFolder(Find(category), app);
  return folder != nullptr ? StateOf(folder->checkedCount, folder->items.size())
                           : CheckState::kUnchecked;
}

StatisticsTotals CStatisticsObj::CategoryTotals(RecordCategory category) const {
  const Category* found = Find(category);
  return found != nullptr ? found->totals : StatisticsTotals{};
}

StatisticsTotals CStatisticsObj::Totals() const {
  StatisticsTotals root;
  for (const Category& category : categories_) {
    root.checkedSize += category.totals.checkedSize;
    root.checkedCount += category.totals.checkedCount;
    root.totalSize += category.totals.totalSize;
    root.totalCount += category.totals.totalCount;
  }
  return root;
}

bool CStatisticsObj::AnyChecked() const {
  return Totals().checkedCount > 0;
}

void CStatisticsObj::AppendEntries(RecordCategory category,
                                   std::vector<StatisticsEntry>& entries) const {
  const Category* found = Find(category);
  if (found == nullptr || !found->present) {
    return;
  }
  entries.push_back(ContainerEntry(StatisticsEntry::Kind::kCategory, category,
                                   CategoryState(category), found->totals.totalSize));
  auto appendItems = [&](const std::vector<Item>& items, const std::string& app) {
    for (size_t i = 0; i < items.size(); ++i) {
      StatisticsEntry entry;
      entry.category = category;
      entry.categoryNumber = CategoryInfo(category).statisticsNumber;
      entry.checked = items[i].checked;
      entry.app = app;
      entry.index = i;
      entry.threadKey = items[i].threadKey;
      entry.size = items[i].size;
      entries.push_back(std::move(entry));
    }
  };
  appendItems(found->items, std::string());
  for (const Folder& folder : found->folders) {
    uint64_t size = 0;
    for (const Item& item : folder.items) {
      size += item.size;
    }
    StatisticsEntry entry = ContainerEntry(StatisticsEntry::Kind::kAppFolder, category,
                                           StateOf(folder.checkedCount, folder.items.size()), size);
    entry.app = folder.app;
    entries.push_back(std::move(entry));
    appendItems(folder.items, folder.app);
  }
}

std::vector<StatisticsEntry> CStatisticsObj::Walk() const {
  std::vector<StatisticsEntry> entries;
  for (int32_t i = 0; i < kRecordCategoryCount; ++i) {
    AppendEntries(static_cast<RecordCategory>(i), entries);
  }
  return entries;
}

std::vector<StatisticsEntry> CStatisticsObj::Walk(RecordCategory category) const {
  std::vector<StatisticsEntry> entries;
  AppendEntries(category, entries);
  return entries;
}

}  // namespace zbe
