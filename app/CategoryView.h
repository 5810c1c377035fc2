// How the scan page shows each category: its node in the category tree, the columns of the
// data list, and where its preview appears. The one table of the page's knowledge of the
// categories; what a row holds and how it previews follows from the type of its record
// (RowTexts.h, CPreviewVrtWnd.h).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "records/RecordCategory.h"

namespace zbe {

// One column of the data list.
struct ListColumn {
  std::string_view title;  // the header's text
  int width = 0;           // pixels; 0 takes the remaining width
  bool centred = false;    // the text is centred horizontally (else left-aligned)
};

inline constexpr size_t kListColumnCount = 6;  // "Col1" to "Col6"

struct ListLayout {
  std::array<ListColumn, kListColumnCount> columns;
  size_t count = 0;  // the columns shown; the others are hidden
};

// Where the preview pane shows a category's rows.
enum class PreviewArea {
  kText,  // "PreviewEdit": note text and media files
  kList,  // "MessagesList": chat bubbles and the contact card (and nothing, for calls)
};

struct CategoryView {
  RecordCategory category;
  std::string_view nodeKey;  // the node's key in the language section "PageScan"
  int iconLeft;              // left edge of its icon in row 410 to 428 of "Controls.png"
  ListLayout layout;         // its rows (for App Photos and App Videos: the app folders)
  PreviewArea preview;
  bool filterBar;  // records that the filter "D"/"N" applies to show "FilterToolBar"
};

// The row of "category".
const CategoryView& ViewOf(RecordCategory category);

// The columns of one app's files (App Photos and App Videos, after a double click on a folder).
const ListLayout& AppFilesLayout();

// The two roots of the tree and their categories, in the tree's order.
struct TreeRoot {
  std::string_view key;    // its key in "PageScan"
  std::string_view label;  // its label when the language has none
  std::array<RecordCategory, 10> categories;
  size_t count;
};
const std::array<TreeRoot, 2>& TreeRoots();

}  // namespace zbe
