#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "records/FileItems.h"
#include "records/RecordCategory.h"
#include "records/Records.h"
#include "records/ScanResults.h"

namespace zbe {

// The category table: one row per category with everything the core knows of it besides its
// reader and its writers. The scan, the counts, the selection, the export, the print page, the
// command line and the pages walk this table instead of naming categories, so that a new
// category is one row here plus its reader and its writers. Writers are chosen by the type of
// a category's container (VisitContainer), never by the category.

// How a category's results are laid out: how its list shows them, how the selection counts
// them and what the export makes of them.
enum class CategoryShape : int32_t {
  kFiles,     // stored files (MediaFileItem or AttachmentItem), one item each
  kAppFiles,  // stored files of apps (AppMediaItem), grouped by app
  kThreads,   // conversations: a thread map, and one row per thread (its newest message)
  kRecords,   // records (contacts, calls, notes), one item each
  kNone,      // nothing reads it; it is always empty
};

// The reading operations of a scan, declared in the order a scan runs them. One operation may
// fill two categories (the camera roll and the photo stream; app photos and app videos). How
// each reads, and what it weighs in the scan's progress, is the scan's: backup/ScanSteps.h.
enum class ReadStep : int32_t {
  kCameraRoll,
  kMessages,
  kMessageAttachments,
  kContacts,
  kCallHistory,
  kNotes,
  kAppMedia,
  kWhatsApp,
  kWhatsAppAttachments,
  kNone,  // the categories without a reader
};

inline constexpr int32_t kReadStepCount = 9;

// Where a thread category keeps its results in ScanResults: the thread map and its rows.
template <typename Map, typename Row>
struct ThreadContainers {
  using MapType = Map;
  using RowType = Row;
  Map ScanResults::*threads;
  std::vector<Row> ScanResults::*rows;
};

// Where a category's results lie in ScanResults; std::monostate for the categories without a
// reader.
using CategoryContainer =
    std::variant<std::monostate, std::vector<MediaFileItem> ScanResults::*,
                 std::vector<AttachmentItem> ScanResults::*, AppMediaGroups ScanResults::*,
                 ThreadContainers<MessageThreadMap, MessageRecord>,
                 ThreadContainers<WhatsAppThreadMap, WhatsAppMessage>, ContactList ScanResults::*,
                 CallList ScanResults::*, NoteList ScanResults::*>;

struct RecordCategoryInfo {
  RecordCategory category;
  std::string_view name;           // the category's name
  std::string_view cliName;        // its name in zbe's --only lists and JSON ("camera-roll")
  std::string_view optionControl;  // its check box on the file type page
  std::string_view treeLabel;      // its node in the category tree, before " (count)"
  CategoryShape shape;
  CategoryContainer container;  // its results in ScanResults
  ReadStep readStep;            // the scan operation that fills it
  // The number of its entries in the selection statistics (its index + 1), the numbering the
  // export dispatches on.
  int32_t statisticsNumber;
  // The folder below an export's destination root that receives it; empty for the categories
  // that nothing exports.
  std::string_view exportFolder;

  bool hasReader() const { return readStep != ReadStep::kNone; }
};

// One row per category, in index order.
const std::array<RecordCategoryInfo, kRecordCategoryCount>& RecordCategories();

// The row of "category".
const RecordCategoryInfo& CategoryInfo(RecordCategory category);

// What VisitContainer hands over for a thread category: the thread map and the rows, one per
// thread in map order.
template <typename Map, typename Row>
struct ThreadResults {
  const Map& threads;
  const std::vector<Row>& rows;
};

// What VisitContainer hands over for a category without a reader.
struct NoResults {};

// Calls "visit" with the results of "category" in "results" and returns its answer: the
// container itself for file lists, app groups and record lists (const std::vector<...>&, const
// AppMediaGroups&), ThreadResults for the thread categories, NoResults for the others. "visit"
// must take every one of them and answer with one type; its overloads on the item and record
// types are how the export, the print page and the JSON choose their writer.
template <typename Visit>
decltype(auto) VisitContainer(const ScanResults& results, RecordCategory category, Visit&& visit) {
  return std::visit(
      [&](const auto& where) -> decltype(auto) {
        using Where = std::decay_t<decltype(where)>;
        if constexpr (std::is_same_v<Where, std::monostate>) {
          return visit(NoResults{});
        } else if constexpr (std::is_member_object_pointer_v<Where>) {
          return visit(results.*where);
        } else {
          return visit(ThreadResults<typename Where::MapType, typename Where::RowType>{
              results.*(where.threads), results.*(where.rows)});
        }
      },
      CategoryInfo(category).container);
}

// Empties the containers of "category" in "results" (a thread category's map and rows).
void ClearContainer(ScanResults& results, RecordCategory category);

// The count that the category tree shows for "category": file items for the file categories
// (those of all groups for App Photos and App Videos), rows for the thread categories
// (conversations, chats), records for the record categories; 0 for the categories without a
// reader.
size_t CategoryCount(const ScanResults& results, RecordCategory category);

}  // namespace zbe
