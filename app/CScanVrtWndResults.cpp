// The scan page's results: a category's rows, a row's preview, app folders, the filter and the
// check boxes of rows, folders and categories.
#include <type_traits>

#include "app/CPreviewVrtWnd.h"
#include "app/CScanVrtWnd.h"
#include "app/CSettings.h"
#include "app/MessageFormat.h"
#include "records/CategoryTable.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"
#include "ui/TreeViewUI.h"

namespace zbe {
namespace {

constexpr char kFilterOffImage[] = "file='optionOff.png' source='0,0,78,19'";
constexpr char kFilterOnImage[] = "file='optionOn.png' source='0,0,78,19'";

void SetVisible(CPaintManagerUI& m, const char* name, bool visible) {
  if (CControlUI* c = m.FindControl(name))
    c->SetVisible(visible);
}

// Shows row "row" of a category's container in the preview pane, by what the row holds.
struct RowPreview {
  CPreviewVrtWnd& preview;
  const CFileListCtrl& list;
  size_t row;

  template <typename Item>
  static const Item* At(const std::vector<Item>& items, size_t row) {
    return row < items.size() ? &items[row] : nullptr;
  }

  void operator()(NoResults) {}
  void operator()(const std::vector<MediaFileItem>& files) {
    if (const MediaFileItem* file = At(files, row))
      preview.PreviewFile(file->path, file->name);
  }
  void operator()(const std::vector<AttachmentItem>& files) {
    if (const AttachmentItem* file = At(files, row))
      preview.PreviewFile(file->path, file->name);
  }
  void operator()(const AppMediaGroups& groups) {
    // The app list itself has no preview; one app's files have.
    if (list.mode() != CFileListCtrl::Mode::kAppFiles) {
      preview.ShowHint(CPreviewVrtWnd::Hint::kFolders);
      return;
    }
    const auto group = groups.find(list.app());
    if (group == groups.end())
      return;
    if (const AppMediaItem* file = At(group->second, row))
      preview.PreviewFile(file->path, file->name);
  }
  template <typename Map, typename Row>
  void operator()(const ThreadResults<Map, Row>& threads) {
    const Row* shown = At(threads.rows, row);
    if (shown == nullptr)
      return;
    const auto thread = threads.threads.find(ThreadKey(*shown));
    if (thread == threads.threads.end())
      return;
    if constexpr (std::is_same_v<Row, MessageRecord>)
      preview.ShowMessages(thread->second);
    else
      preview.ShowChat(thread->second);
  }
  void operator()(const ContactList& contacts) {
    if (const ContactRecord* contact = At(contacts, row))
      preview.ShowContact(*contact);
  }
  void operator()(const CallList&) { preview.ShowHint(CPreviewVrtWnd::Hint::kCalls); }
  void operator()(const NoteList& notes) {
    if (const NoteRecord* note = At(notes, row))
      preview.ShowNote(*note);
  }
};

}  // namespace

void CScanVrtWnd::ShowNode(RecordCategory category) {
  CPaintManagerUI& m = window_.GetManager();
  const bool filtered = tree_.IsFiltered(category);
  list_.ShowCategory(results_, selection_, category, filtered);
  SetVisible(m, "iPhoneInfoLayout", false);
  SetVisible(m, "DataListLayout", true);
  SetLoadingAnimation(false);
  SetVisible(m, "BtnBackAppDir", false);
  SetVisible(m, "FilterToolBar", ViewOf(category).filterBar);
  if (auto* option = m.Find<COptionUI>("OptOnOffFilter"))
    option->Selected(filtered, false);
  if (CControlUI* image = m.FindControl("Option"))
    image->SetBkImage(filtered ? kFilterOnImage : kFilterOffImage);
  SetVisible(m, "LblFilterCount", filtered);
  UpdateFilterCount();
  if (CControlUI* title = m.FindControl("LblListTitle")) {
    const CTreeNodeUI* node = tree_.Node(category);
    title->SetText(node != nullptr ? node->GetItemText() : std::string());
  }
  preview_.Show(ViewOf(category).preview);
  if (auto* list = m.Find<CListUI>("DataList")) {
    if (list->GetCount() > 0)
      list->SelectItem(0, false, true);
  }
}

void CScanVrtWnd::PreviewRow(int row) {
  const std::optional<RecordCategory> category = list_.category();
  if (!category || row < 0)
    return;
  VisitContainer(results_, *category, RowPreview{preview_, list_, static_cast<size_t>(row)});
}

void CScanVrtWnd::OpenAppFolder(int row) {
  if (list_.mode() != CFileListCtrl::Mode::kAppFolders || !list_.category())
    return;
  const std::string app = list_.AppOfRow(row);
  if (app.empty())
    return;
  list_.ShowAppFiles(results_, selection_, *list_.category(), app);
  SetVisible(window_.GetManager(), "BtnBackAppDir", true);
  if (CControlUI* title = window_.GetManager().FindControl("LblListTitle"))
    title->SetText(app);
  preview_.Show(PreviewArea::kText);
  if (auto* list = window_.GetManager().Find<CListUI>("DataList")) {
    if (list->GetCount() > 0)
      list->SelectItem(0, false, true);
  }
}

void CScanVrtWnd::BackToApps() {
  if (const std::optional<RecordCategory> category = tree_.SelectedCategory())
    ShowNode(*category);
}

void CScanVrtWnd::OnNodeCheck(CTreeNodeUI* node, bool checked) {
  std::vector<RecordCategory> categories;
  if (const std::optional<RecordCategory> category = tree_.CategoryOf(node)) {
    categories.push_back(*category);
  } else if (tree_.IsRoot(node)) {
    categories = tree_.CategoriesUnder(node);
  }
  for (RecordCategory category : categories) {
    selection_.SetCategoryChecked(category, checked);
    AfterCheck(category);
  }
  if (list_.category() &&
      std::find(categories.begin(), categories.end(), *list_.category()) != categories.end()) {
    list_.RefreshChecks(selection_);
  }
}

void CScanVrtWnd::OnRowCheck(int row, bool checked) {
  if (!list_.ApplyRowCheck(row, checked, selection_) || !list_.category())
    return;
  AfterCheck(*list_.category());
}

void CScanVrtWnd::AfterCheck(RecordCategory category) {
  if (selection_.HasCategory(category) && CategoryCount(results_, category) > 0)
    tree_.SetCheck(category, selection_.CategoryState(category));
  UpdateStatistics();
  UpdateRecoverButton();
}

void CScanVrtWnd::SetFilter(bool on) {
  const std::optional<RecordCategory> category = tree_.SelectedCategory();
  if (!category)
    return;
  tree_.SetFiltered(*category, on);
  CPaintManagerUI& m = window_.GetManager();
  if (CControlUI* image = m.FindControl("Option"))
    image->SetBkImage(on ? kFilterOnImage : kFilterOffImage);
  SetVisible(m, "LblFilterCount", on);
  list_.ShowCategory(results_, selection_, *category, on);
  preview_.Show(ViewOf(*category).preview);
  if (auto* list = m.Find<CListUI>("DataList")) {
    if (list->GetCount() > 0)
      list->SelectItem(0, false, true);
  }
  UpdateStatistics();
  UpdateRecoverButton();
  UpdateFilterCount();
}

void CScanVrtWnd::UpdateFilterCount() {
  CControlUI* label = window_.GetManager().FindControl("LblFilterCount");
  if (label == nullptr)
    return;
  // The filter lets no record through: everything it would show is counted, which is none.
  label->SetText(FormatMessage("Files Filtered: %d item(s)", {"0"}));
}

void CScanVrtWnd::Notify(TNotifyUI& msg) {
  if (msg.pSender == nullptr)
    return;
  const std::string& name = msg.pSender->GetName();
  if (msg.sType == UINotify::kClick) {
    if (name == "BtnHome")
      GoHome();
    else if (name == "BtnRecovery")
      Recover();
    else if (name == "BtnPrint")
      Print();
    else if (name == "BtnBackAppDir")
      BackToApps();
  } else if (msg.sType == UINotify::kItemSelect) {
    if (name == "NodeTree") {
      if (const std::optional<RecordCategory> category = tree_.SelectedCategory())
        ShowNode(*category);
    } else if (name == "DataList") {
      PreviewRow(static_cast<int>(msg.wParam));
    }
  } else if (msg.sType == UINotify::kListItemDblClick && name == "DataList") {
    OpenAppFolder(static_cast<int>(msg.wParam));
  } else if (msg.sType == UINotify::kListCheckClick && name == "DataList") {
    auto* row = dynamic_cast<CListImageTextElementUI*>(reinterpret_cast<CControlUI*>(msg.lParam));
    if (row != nullptr)
      OnRowCheck(static_cast<int>(msg.wParam), row->GetCheck());
  } else if (msg.sType == UINotify::kCheckBoxSelectChanged) {
    if (auto* node = dynamic_cast<CTreeNodeUI*>(msg.pSender))
      OnNodeCheck(node, static_cast<UICheckState>(msg.wParam) == UICheckState::kChecked);
  } else if (msg.sType == UINotify::kSelectChanged) {
    const bool on = msg.wParam != 0;
    if (name == "OptOnOffPreview")
      preview_.SetContentVisible(on);
    else if (name == "OptOnOffFilter")
      SetFilter(on);
  }
}

}  // namespace zbe
