#include "app/CFileListCtrl.h"

#include <type_traits>

#include "app/CFileTreeCtrl.h"
#include "app/RowTexts.h"
#include "records/CategoryTable.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/PaintManagerUI.h"

namespace zbe {
namespace {

constexpr char kPhotoIcon[] = "file='Controls.png' source='29,465,47,483'";
constexpr char kVideoIcon[] = "file='Controls.png' source='56,465,74,483'";
constexpr char kFolderIcon[] = "file='Controls.png' source='2,465,20,483'";
constexpr uint32_t kCellStyle = UIText::kVCenter | UIText::kSingleLine | UIText::kEndEllipsis;

// File items carry a stored path; their rows show a file icon.
template <typename Item>
constexpr bool kIsFile = std::is_same_v<Item, MediaFileItem> ||
                         std::is_same_v<Item, AttachmentItem> || std::is_same_v<Item, AppMediaItem>;

CheckState StateOf(bool checked) {
  return checked ? CheckState::kChecked : CheckState::kUnchecked;
}

// Adds the rows of one category's container, whatever its type.
struct RowFiller {
  CListUI& list;
  const ListLayout& layout;
  const CStatisticsObj& selection;
  RecordCategory category;
  std::vector<std::string>& folderApps;

  void Add(const RowCells& cells, CheckState state, const char* icon) {
    auto row = std::make_unique<CListImageTextElementUI>();
    for (size_t i = 0; i < cells.size() && i < layout.count; ++i) {
      const int column = static_cast<int>(i) + 1;  // column 0 is the check box
      row->SetText(column, cells[i]);
      if (layout.columns[i].centred)
        row->SetTextStyle(column, kCellStyle | UIText::kCenter);
    }
    if (icon != nullptr)
      row->SetImage(1, icon);
    row->SetCheckState(ToUICheckState(state));
    list.Add(std::move(row));
  }

  template <typename Item>
  void Rows(const std::vector<Item>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      const char* icon = nullptr;
      if constexpr (kIsFile<Item>)
        icon = ShowsVideoIcon(items[i].name) ? kVideoIcon : kPhotoIcon;
      Add(RowTexts(items[i]), StateOf(selection.IsItemChecked(category, i)), icon);
    }
  }

  void operator()(NoResults) {}
  void operator()(const AppMediaGroups& groups) {
    for (const auto& [app, items] : groups) {
      Add(AppFolderTexts(app), selection.AppFolderState(category, app), kFolderIcon);
      folderApps.push_back(app);
    }
  }
  template <typename Map, typename Row>
  void operator()(const ThreadResults<Map, Row>& threads) {
    Rows(threads.rows);
  }
  template <typename Item>
  void operator()(const std::vector<Item>& items) {
    Rows(items);
  }
};

}  // namespace

void CFileListCtrl::Find(CPaintManagerUI& manager) {
  list_ = manager.Find<CListUI>("DataList");
}

void CFileListCtrl::SetColumns(const ListLayout& layout) {
  layout_ = &layout;
  CPaintManagerUI* manager = list_->GetManager();
  for (size_t i = 0; i < kListColumnCount; ++i) {
    CControlUI* item = manager != nullptr
                           ? manager->FindSubControlByName(list_, "Col" + std::to_string(i + 1))
                           : nullptr;
    if (item == nullptr)
      continue;
    const bool shown = i < layout.count;
    item->SetVisible(shown);
    if (!shown)
      continue;
    item->SetText(std::string(layout.columns[i].title));
    item->SetFixedWidth(layout.columns[i].width);
  }
}

void CFileListCtrl::Clear() {
  if (list_ != nullptr)
    list_->RemoveAll();
  mode_ = Mode::kEmpty;
  category_.reset();
  app_.clear();
  folderApps_.clear();
}

void CFileListCtrl::ShowCategory(const ScanResults& results, const CStatisticsObj& selection,
                                 RecordCategory category, bool filtered) {
  Clear();
  if (list_ == nullptr)
    return;
  category_ = category;
  const bool byApp = CategoryInfo(category).shape == CategoryShape::kAppFiles;
  mode_ = byApp ? Mode::kAppFolders : Mode::kRows;
  SetColumns(ViewOf(category).layout);
  if (filtered)
    return;
  VisitContainer(results, category, RowFiller{*list_, *layout_, selection, category, folderApps_});
}

void CFileListCtrl::ShowAppFiles(const ScanResults& results, const CStatisticsObj& selection,
                                 RecordCategory category, const std::string& app) {
  Clear();
  if (list_ == nullptr)
    return;
  category_ = category;
  mode_ = Mode::kAppFiles;
  app_ = app;
  SetColumns(AppFilesLayout());
  VisitContainer(results, category, [&](const auto& container) {
    if constexpr (std::is_same_v<std::decay_t<decltype(container)>, AppMediaGroups>) {
      const auto group = container.find(app);
      if (group == container.end())
        return;
      std::vector<std::string> unused;
      RowFiller filler{*list_, *layout_, selection, category, unused};
      for (size_t i = 0; i < group->second.size(); ++i) {
        const AppMediaItem& item = group->second[i];
        filler.Add(RowTexts(item), StateOf(selection.IsAppItemChecked(category, app, i)),
                   ShowsVideoIcon(item.name) ? kVideoIcon : kPhotoIcon);
      }
    }
  });
}

std::string CFileListCtrl::AppOfRow(int row) const {
  if (mode_ == Mode::kAppFiles)
    return app_;
  if (mode_ == Mode::kAppFolders && row >= 0 && static_cast<size_t>(row) < folderApps_.size())
    return folderApps_[static_cast<size_t>(row)];
  return {};
}

int CFileListCtrl::RowCount() const {
  return list_ != nullptr ? list_->GetCount() : 0;
}

bool CFileListCtrl::ApplyRowCheck(int row, bool checked, CStatisticsObj& selection) const {
  if (!category_ || row < 0 || row >= RowCount())
    return false;
  const size_t index = static_cast<size_t>(row);
  switch (mode_) {
    case Mode::kRows:
      return selection.SetItemChecked(*category_, index, checked);
    case Mode::kAppFolders:
      return selection.SetAppFolderChecked(*category_, AppOfRow(row), checked);
    case Mode::kAppFiles:
      return selection.SetAppItemChecked(*category_, app_, index, checked);
    case Mode::kEmpty:
      break;
  }
  return false;
}

CheckState CFileListCtrl::RowState(const CStatisticsObj& selection, int row) const {
  const size_t index = static_cast<size_t>(row);
  switch (mode_) {
    case Mode::kRows:
      return StateOf(selection.IsItemChecked(*category_, index));
    case Mode::kAppFolders:
      return selection.AppFolderState(*category_, AppOfRow(row));
    case Mode::kAppFiles:
      return StateOf(selection.IsAppItemChecked(*category_, app_, index));
    case Mode::kEmpty:
      break;
  }
  return CheckState::kUnchecked;
}

void CFileListCtrl::RefreshChecks(const CStatisticsObj& selection) {
  if (!category_)
    return;
  for (int i = 0; i < RowCount(); ++i) {
    if (auto* row = dynamic_cast<CListImageTextElementUI*>(list_->GetItemAt(i)))
      row->SetCheckState(ToUICheckState(RowState(selection, i)));
  }
}

}  // namespace zbe
