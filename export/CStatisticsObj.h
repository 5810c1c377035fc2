#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/RecordCategory.h"

namespace zbe {

// Check state of a category node or an app folder, as its check box shows it.
enum class CheckState : int32_t {
  kUnchecked = 0,    // no item below it is checked (also when it has no items)
  kHalfChecked = 1,  // some, not all
  kChecked = 2,      // every item below it, and there is at least one
};

// One app of App Photos or App Videos as the scan hands it over.
struct AppFolderSizes {
  std::string app;                  // the app's name, as the file items carry it
  std::vector<uint64_t> itemSizes;  // one per file of the app, in the order of its list
};

// The four values of the statistics line, for the whole selection or one category.
struct StatisticsTotals {
  uint64_t checkedSize = 0;   // bytes of the checked items
  uint64_t checkedCount = 0;  // number of checked items
  uint64_t totalSize = 0;     // bytes of all items
  uint64_t totalCount = 0;    // number of all items
};

// One entry of the walk over the selection (CStatisticsObj::Walk).
struct StatisticsEntry {
  enum class Kind : int32_t {
    kCategory = 0,   // a category's container
    kAppFolder = 1,  // one app of App Photos or App Videos
    kItem = 2,       // one record, conversation or file
  };
  Kind kind = Kind::kItem;
  RecordCategory category = RecordCategory::kCameraRoll;
  // The category's statistics number (RecordCategoryInfo::statisticsNumber).
  int32_t categoryNumber = 1;
  // An item's own flag; a container is checked when every item below it is (and it has one).
  bool checked = false;
  std::string app;  // app folders and their items: the app's name; empty otherwise
  // Items: the position in the category's container (records, files, conversation rows), or,
  // for app media, in the app's list.
  size_t index = 0;
  // Items of a thread category: the key of its conversation in the thread map (handleId for
  // Messages, chatId for WhatsApp).
  std::optional<int32_t> threadKey;
  uint64_t size = 0;  // items: the counted size (at least 1024); containers: the sum below them

  bool IsContainer() const { return kind != Kind::kItem; }
};

// The selection statistics of one scan's results: which items are checked, with their counts
// and sizes, per category and for the whole selection (the root). Every item counts with at
// least kMinimumItemSize bytes. An item is a file of a file category, a record of Contacts,
// Call History and Notes, a conversation row of Messages and WhatsApp (the whole conversation),
// or a file in an app folder of App Photos and App Videos.
//
// The checked count and checked size are kept equal to the count and the sum of the sizes of
// the items whose flag is set, so they never go below 0 or above the totals, however often an
// item is checked or unchecked.
//
// Not thread-safe: the owner serialises every call. The scan page owns it on the UI thread; the
// scan worker does not add categories itself but posts each populated category to the UI thread,
// and an export or print worker works on a Walk() taken before it starts.
class CStatisticsObj {
 public:
  static constexpr uint64_t kMinimumItemSize = 1024;

  CStatisticsObj() = default;

  // Forgets every category (a new scan, or Home).
  void Clear();

  // Adding a category's container: each replaces what "category" held before, starts with
  // every item checked, and adds the sizes to both the checked and the total size. An empty
  // container still adds the category (with no items).

  // One item per element of "itemSizes" (file sizes in bytes, raised to kMinimumItemSize),
  // addressed by position: the file categories.
  void AddCategory(RecordCategory category, const std::vector<uint64_t>& itemSizes);

  // "recordCount" items of kMinimumItemSize bytes, addressed by position: Contacts, Call
  // History, Notes (one item per record).
  void AddRecordCategory(RecordCategory category, size_t recordCount);

  // One item of kMinimumItemSize bytes per conversation row, addressed by position and carrying
  // its key: Messages (handleIds) and WhatsApp (chatIds), in the order of the rows.
  void AddThreadCategory(RecordCategory category, const std::vector<int32_t>& threadKeys);

  // One app folder per element of "folders", in the given order, each with one item per size:
  // App Photos and App Videos. Folders with the same app name are merged (the later items after
  // the earlier ones).
  void AddAppCategory(RecordCategory category, const std::vector<AppFolderSizes>& folders);

  bool HasCategory(RecordCategory category) const;

  // Checks. Each returns false and changes nothing when the category, folder or item does not
  // exist (positions count from 0; an app category's items are reached only through their app).
  // Checking a checked item, or unchecking an unchecked one, changes nothing.

  // Sets the flag of the item at "index" of a category without app folders.
  bool SetItemChecked(RecordCategory category, size_t index, bool checked);
  // Sets the flag of the item at "index" of the folder "app".
  bool SetAppItemChecked(RecordCategory category, std::string_view app, size_t index, bool checked);
  // Sets the flag of every item of the folder "app".
  bool SetAppFolderChecked(RecordCategory category, std::string_view app, bool checked);
  // Sets the flag of every item of the category, through its folders.
  bool SetCategoryChecked(RecordCategory category, bool checked);

  // Queries. A missing category, folder or item reads as unchecked and empty.
  bool IsItemChecked(RecordCategory category, size_t index) const;
  bool IsAppItemChecked(RecordCategory category, std::string_view app, size_t index) const;
  CheckState CategoryState(RecordCategory category) const;
  CheckState AppFolderState(RecordCategory category, std::string_view app) const;
  StatisticsTotals CategoryTotals(RecordCategory category) const;

  // The root: the sums over all categories, the four values of the statistics line.
  StatisticsTotals Totals() const;

  // True when at least one item is checked (the recover button needs one).
  bool AnyChecked() const;

  // Every entry, in the order the export and the print take them: categories in the order of
  // RecordCategory, each as a container entry followed by its items in container order; an app
  // category has, after its entry, each folder's entry followed by the folder's items.
  std::vector<StatisticsEntry> Walk() const;

  // The entries of one category, in the same order (empty when it was not added).
  std::vector<StatisticsEntry> Walk(RecordCategory category) const;

 private:
  struct Item {
    uint64_t size = kMinimumItemSize;
    bool checked = true;
    std::optional<int32_t> threadKey;
  };
  struct Folder {
    std::string app;
    std::vector<Item> items;
    size_t checkedCount = 0;
  };
  struct Category {
    bool present = false;
    bool hasFolders = false;
    std::vector<Item> items;      // categories without folders
    std::vector<Folder> folders;  // App Photos and App Videos
    StatisticsTotals totals;
  };

  Category* Find(RecordCategory category);
  const Category* Find(RecordCategory category) const;
  // The folder "app" of "category" (may be null); null when there is none.
  static Folder* FindFolder(Category* category, std::string_view app);
  static const Folder* FindFolder(const Category* category, std::string_view app);
  // Starts "category" anew with "items" or, for an app category, "folders", all checked. An app
  // category keeps its folders flag even with no apps, so its items are never reached by
  // position.
  void Replace(RecordCategory category, bool hasFolders, std::vector<Item> items,
               std::vector<Folder> folders);
  // Sets one item's flag and keeps the counters of its category (and folder) in step.
  static void SetFlag(Category& category, Folder* folder, Item& item, bool checked);
  void AppendEntries(RecordCategory category, std::vector<StatisticsEntry>& entries) const;

  std::array<Category, kRecordCategoryCount> categories_;
};

}  // namespace zbe
