#include "app/CScanVrtWnd.h"

#include <chrono>

#include "app/AppMessages.h"
#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/CSpecifyFileVrtWnd.h"
#include "app/CustomControls.h"
#include "app/MessageFormat.h"
#include "export/Formats.h"
#include "export/SelectionFill.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"
#include "records/ScanResults.h"
#include "ui/ButtonUI.h"
#include "ui/LayoutsUI.h"
#include "ui/OptionUI.h"
#include "ui/ProgressUI.h"
#include "ui/TreeViewUI.h"

namespace zbe {
namespace {

constexpr char kRemarkImage[] = "file='Controls.png' source='538,1,591,54' dest='0,0,53,53'";

// The tree's two roots and the categories under each, in the tree's order.
struct TreeGroup {
  const char* key;   // language key of the root's label (section "PageScan")
  const char* text;  // the label when the language has none
  std::array<RecordCategory, 10> categories;
  size_t count;
};

const TreeGroup kGroups[] = {
    {"NodePhotosVideos",
     "Photos & Videos",
     {RecordCategory::kCameraRoll, RecordCategory::kPhotoStream, RecordCategory::kAppPhotos,
      RecordCategory::kAppVideos},
     4},
    {"NodeMessagesCallLogs",
     "Messages & Call logs",
     {RecordCategory::kMessages, RecordCategory::kMessageAttachments, RecordCategory::kContacts,
      RecordCategory::kCallHistory, RecordCategory::kNotes, RecordCategory::kWhatsApp,
      RecordCategory::kWhatsAppAttachments, RecordCategory::kReminder, RecordCategory::kCalendar,
      RecordCategory::kSafariBookmark},
     10},
};

// Left edge of each category's icon in row 410 of Controls.png, in category order.
constexpr int kIconX[kRecordCategoryCount] = {1,   19,  37,  55, 73,  91,  109,
                                              127, 145, 163, 91, 181, 199, 217};

std::string NodeKey(RecordCategory category) {
  std::string key = "Node";
  for (char c : CategoryInfo(category).name) {
    if (c != ' ')
      key += c;
  }
  return key;
}

// The label without its count: everything before the first "(".
std::string LabelName(const std::string& label) {
  return label.substr(0, label.find('('));
}

}  // namespace

CScanVrtWnd::CScanVrtWnd(CWindowWnd& window, const CSettings& settings, CBackupParser& parser,
                         const CSpecifyFileVrtWnd& filePage)
    : window_(window), settings_(settings), parser_(parser), filePage_(filePage) {}

CScanVrtWnd::~CScanVrtWnd() {
  stopRequest_ = 1;
  while (lockHolds_ > 0)
    ReleaseLock();
  JoinWorker();
}

std::string CScanVrtWnd::Msg(const char* id) const {
  return settings_.Message(id);
}

void CScanVrtWnd::FindControls() {
  post_ = window_.GetPostTarget();
  BuildTree();
}

void CScanVrtWnd::ApplyTexts() {
  CPaintManagerUI& m = window_.GetManager();
  zbe::ApplyTexts(m, settings_, LangSection::kPageScan);
  if (CControlUI* pause = m.FindControl("BtnScanPause"))
    pause->SetText(Msg(paused_ ? "MSG0506" : "MSG0507"));
  if (IsScanning()) {
    if (CControlUI* c = m.FindControl("LblScanType"))
      c->SetText(Msg("MSG0501"));
    if (CControlUI* c = m.FindControl("LblScanInfo"))
      c->SetText(Msg("MSG0502"));
  }
  // Node labels keep their counts across a language change.
  for (const RecordCategoryInfo& info : RecordCategories()) {
    CTreeNodeUI* node = nodes_[static_cast<size_t>(info.category)];
    if (node == nullptr)
      continue;
    std::string name = settings_.Text(LangSection::kPageScan, NodeKey(info.category));
    if (name.empty())
      name = std::string(info.treeLabel) + " ";
    node->SetItemText(LabelName(name) + "(" +
                      std::to_string(counts_[static_cast<size_t>(info.category)]) + ")");
  }
  UpdateStatistics(selection_.Totals());
}

void CScanVrtWnd::BuildTree() {
  nodes_.fill(nullptr);
  auto* tree = window_.GetManager().Find<CTreeViewUI>("NodeTree");
  if (tree == nullptr)
    return;
  tree->RemoveAll();
  for (const TreeGroup& group : kGroups) {
    auto root = std::make_unique<CTreeNodeUI>();
    const std::string text = settings_.Text(LangSection::kPageScan, group.key);
    root->SetItemText(text.empty() ? group.text : text);
    root->SetItemFont(1);
    root->SetCheckState(UICheckState::kChecked);
    bool any = false;
    for (size_t i = 0; i < group.count; ++i) {
      const RecordCategory category = group.categories[i];
      if (!filePage_.IsChosen(category))
        continue;
      auto node = std::make_unique<CTreeNodeUI>();
      std::string label = settings_.Text(LangSection::kPageScan, NodeKey(category));
      if (label.empty())
        label = std::string(CategoryInfo(category).treeLabel) + " (0)";
      node->SetItemText(label);
      const int x = kIconX[static_cast<size_t>(category)];
      node->SetItemIcon("file='Controls.png' source='" + std::to_string(x) + ",410," +
                        std::to_string(x + 18) + ",428'");
      node->SetCheckState(UICheckState::kChecked);
      node->SetUserData("N");
      node->SetVisible(false);  // shown once its category has items
      nodes_[static_cast<size_t>(category)] = node.get();
      root->AddChildNode(std::move(node));
      any = true;
    }
    if (any)
      tree->Add(std::move(root));
  }
}

void CScanVrtWnd::SetLoadingAnimation(bool playing) {
  CPaintManagerUI& m = window_.GetManager();
  CControlUI* info = m.FindControl("iPhoneInfoLayout");
  for (const char* name : {"BtnGifLoading", "BtnGifScanning"}) {
    auto* gif = m.Find<CGifButtonUI>(name);
    if (gif == nullptr)
      continue;
    if (playing && (std::string(name) == "BtnGifScanning" || (info && info->IsVisible())))
      gif->PlayGif();
    else
      gif->StopGif();
  }
}

void CScanVrtWnd::Clear() {
  results_.reset();
  selection_.Clear();
  counts_.fill(0);
  firstNonEmpty_.reset();
  if (auto* bar = window_.GetManager().Find<CProgressUI>("ProgressScan"))
    bar->SetValue(0);
  if (CControlUI* percent = window_.GetManager().FindControl("LblPercent"))
    percent->SetText("0%");
  BuildTree();
  UpdateStatistics(StatisticsTotals{});
}

void CScanVrtWnd::Reset() {
  Clear();
  CPaintManagerUI& m = window_.GetManager();
  auto show = [&m](const char* name, bool visible) {
    if (CControlUI* c = m.FindControl(name))
      c->SetVisible(visible);
  };
  show("iPhoneInfoLayout", true);
  show("DataListLayout", false);
  show("LblScanInfoDesc", true);
  show("BtnGifLoading", true);
  show("ScanToolBar", true);
  show("ReocveryToolBar", false);
  show("DataListToolBar", false);
  for (const char* name : {"BtnHome", "BtnRecovery", "BtnPrint"}) {
    if (CControlUI* c = m.FindControl(name))
      c->SetEnabled(false);
  }
  SetLoadingAnimation(true);
}

int32_t CScanVrtWnd::StartScan(uintptr_t kind) {
  kind_ = kind;
  JoinWorker();
  Reset();
  CPaintManagerUI& m = window_.GetManager();
  if (CControlUI* c = m.FindControl("LblScanType"))
    c->SetText(Msg("MSG0501"));
  if (CControlUI* c = m.FindControl("LblScanInfo"))
    c->SetText(Msg("MSG0502"));
  if (CControlUI* c = m.FindControl("LblRemark"))
    c->SetBkImage(kRemarkImage);
  if (CControlUI* c = m.FindControl("LblDeviceName")) {
    c->SetText(chosen_.lastBackupDate.empty()
                   ? chosen_.displayName
                   : chosen_.displayName + "  \u00B7  " + chosen_.lastBackupDate);
  }
  paused_ = false;
  if (CControlUI* pause = m.FindControl("BtnScanPause"))
    pause->SetText(Msg("MSG0507"));

  session_.reset();
  session_ = std::make_unique<ScanSession>(parser_, static_cast<ScanObserver*>(this));
  workerSelection_.Clear();
  lastProgress_ = 0;
  pageShown_ = false;
  stopRequest_ = 0;
  finished_ = 0;
  worker_ = std::thread(&CScanVrtWnd::Work, this, chosen_, password_, filePage_.ChosenCategories());
  return 0;
}

void CScanVrtWnd::Work(BackupSummary summary, std::string password, CategorySet chosen) {
  // The flags were cleared before the thread started, so a stop asked at once is not lost.
  const int32_t result = session_->Run(summary, password, chosen);
  auto results = std::make_shared<ScanResults>(std::move(session_->results()));
  auto selection = std::make_shared<CStatisticsObj>(std::move(workerSelection_));
  // The page must show before it finishes, even when no report ever said 1.
  if (result != kResultWrongPassword && !pageShown_.exchange(true))
    post_.PostMessage(AppMsg::kScanProgress, AppMsg::kFirstProgress);
  post_.PostTask([this, results, selection, result] {
    results_ = std::make_unique<ScanResults>(std::move(*results));
    selection_ = std::move(*selection);
    result_ = result;
  });
  finished_ = 1;
  // Whatever the last operation returned, the results read so far are shown; only a wrong
  // password leads back to the password window instead.
  if (result != kResultWrongPassword)
    post_.PostMessage(AppMsg::kScanFinished);
}

int32_t CScanVrtWnd::OnProgress(int32_t progress) {
  std::lock_guard<std::recursive_mutex> guard(scanLock_);  // waits here while paused
  if (stopRequest_.load() != 0)
    return kResultStopped;
  if (progress <= lastProgress_.load())
    return 0;
  if (!pageShown_.exchange(true)) {
    post_.PostMessage(AppMsg::kScanProgress, AppMsg::kFirstProgress);
    // Lets the page switch happen before the first counts arrive.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  const int shown = progress < 2 ? 2 : (progress >= 100 ? 99 : progress);
  lastProgress_ = shown;
  post_.PostTask([this, shown] {
    CPaintManagerUI& m = window_.GetManager();
    if (auto* bar = m.Find<CProgressUI>("ProgressScan"))
      bar->SetValue(shown);
    if (CControlUI* percent = m.FindControl("LblPercent"))
      percent->SetText(std::to_string(shown) + "%");
  });
  return 0;
}

void CScanVrtWnd::OnOpened(int32_t result) {
  if (result == kResultWrongPassword)
    post_.PostMessage(AppMsg::kScanProgress, AppMsg::kWrongPassword);
}

void CScanVrtWnd::OnCategoryPopulated(RecordCategory category, const ScanResults& results) {
  AddScanCategory(results, category, workerSelection_);
  const size_t count = CategoryCount(results, category);
  const StatisticsTotals totals = workerSelection_.Totals();
  post_.PostTask([this, category, count, totals] {
    counts_[static_cast<size_t>(category)] = count;
    if (count > 0) {
      if (CTreeNodeUI* node = nodes_[static_cast<size_t>(category)])
        node->SetVisible(true);
      if (!firstNonEmpty_)
        firstNonEmpty_ = category;
    }
    UpdateStatistics(totals);
  });
  post_.PostMessage(AppMsg::kRelabelTree);
  if (count > 0)
    post_.PostMessage(AppMsg::kSelectFirstNode);
}

void CScanVrtWnd::RelabelTree() {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    CTreeNodeUI* node = nodes_[i];
    if (node == nullptr || !CategoryInfo(static_cast<RecordCategory>(i)).hasReader())
      continue;
    node->SetItemText(LabelName(node->GetItemText()) + "(" + std::to_string(counts_[i]) + ")");
  }
}

void CScanVrtWnd::FinishScan() {
  CPaintManagerUI& m = window_.GetManager();
  auto show = [&m](const char* name, bool visible) {
    if (CControlUI* c = m.FindControl(name))
      c->SetVisible(visible);
  };
  show("ScanToolBar", false);
  show("ReocveryToolBar", true);
  show("DataListToolBar", true);
  SetLoadingAnimation(false);
  show("BtnGifLoading", false);
  show("LblScanInfoDesc", false);
  if (CControlUI* home = m.FindControl("BtnHome"))
    home->SetEnabled(true);
  // What was found, in the progress card, until a category is chosen.
  size_t total = 0;
  for (size_t count : counts_)
    total += count;
  if (CControlUI* info = m.FindControl("LblScanInfo"))
    info->SetText(FormatMessage(Msg(total > 0 ? "MSG0503" : "MSG0504"), {std::to_string(total)}));
  RelabelTree();
  UpdateRecoverButton();
  UpdateStatistics(selection_.Totals());
}

void CScanVrtWnd::UpdateStatistics(const StatisticsTotals& totals) {
  CControlUI* line = window_.GetManager().FindControl("LblStatistics");
  if (line == nullptr)
    return;
  auto size = [](uint64_t bytes) {
    return bytes == 0 ? std::string("0 MB") : FormatSize(static_cast<int64_t>(bytes));
  };
  line->SetText(
      FormatMessage(Msg("MSG0513"), {size(totals.checkedSize), std::to_string(totals.checkedCount),
                                     size(totals.totalSize), std::to_string(totals.totalCount)}));
}

void CScanVrtWnd::UpdateRecoverButton() {
  // Export and print open windows of their own that this page does not offer yet.
  for (const char* name : {"BtnRecovery", "BtnPrint"}) {
    if (CControlUI* c = window_.GetManager().FindControl(name))
      c->SetEnabled(false);
  }
}

void CScanVrtWnd::HoldLock() {
  scanLock_.lock();
  ++lockHolds_;
}

void CScanVrtWnd::ReleaseLock() {
  if (lockHolds_ == 0)
    return;
  --lockHolds_;
  scanLock_.unlock();
}

void CScanVrtWnd::WaitForWorkerEnd() {
  while (finished_.load() == 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

void CScanVrtWnd::JoinWorker() {
  if (worker_.joinable())
    worker_.join();
}

void CScanVrtWnd::TogglePause() {
  if (!IsScanning())
    return;
  CPaintManagerUI& m = window_.GetManager();
  paused_ = !paused_;
  if (paused_) {
    HoldLock();
    SetLoadingAnimation(false);
  } else {
    ReleaseLock();
    SetLoadingAnimation(true);
  }
  if (CControlUI* pause = m.FindControl("BtnScanPause"))
    pause->SetText(Msg(paused_ ? "MSG0506" : "MSG0507"));
  if (CControlUI* home = m.FindControl("BtnHome"))
    home->SetEnabled(false);
  UpdateRecoverButton();
}

void CScanVrtWnd::StopScan() {
  if (!IsScanning())
    return;
  if (!paused_) {
    HoldLock();
    SetLoadingAnimation(false);
  }
  const int answer =
      CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kQuestion, &window_, Msg("MSG0508"));
  if (answer == kMsgBoxOk) {
    if (paused_) {
      paused_ = false;
      if (CControlUI* pause = window_.GetManager().FindControl("BtnScanPause"))
        pause->SetText(Msg("MSG0507"));
    }
    stopRequest_ = 1;
    while (lockHolds_ > 0)
      ReleaseLock();
    WaitForWorkerEnd();
    return;
  }
  if (!paused_) {
    ReleaseLock();
    SetLoadingAnimation(true);
  }
}

int CScanVrtWnd::ConfirmLeave() {
  const bool scanning = IsScanning();
  if (!scanning && !HasResults())
    return kMsgBoxOk;
  if (!paused_) {
    HoldLock();
    SetLoadingAnimation(false);
  }
  const int answer = CMessageBox::Show(settings_, Msg("MSG0405"), MsgBoxKind::kWarning, &window_,
                                       Msg("MSG0511"), kMsgBoxWidth, kMsgBoxHeight, true);
  if (answer == kMsgBoxOk) {
    stopRequest_ = 1;
    while (lockHolds_ > 0)
      ReleaseLock();
    if (scanning)
      WaitForWorkerEnd();
    return kMsgBoxOk;
  }
  if (!paused_) {
    ReleaseLock();
    if (scanning)
      SetLoadingAnimation(true);
  }
  return answer;
}

void CScanVrtWnd::GoHome() {
  if (HasResults() && CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kQuestion, &window_,
                                        Msg("MSG0510")) != kMsgBoxOk) {
    return;
  }
  CPaintManagerUI& m = window_.GetManager();
  if (CControlUI* c = m.FindControl("HorLayoutMain"))
    c->SetVisible(true);
  if (CControlUI* c = m.FindControl("HorLayoutScan"))
    c->SetVisible(false);
  JoinWorker();
  Clear();
  if (auto* tabs = m.Find<CTabLayoutUI>("MainTabPage"))
    tabs->SelectItem(0);
  if (auto* step1 = m.Find<COptionUI>("OptStep1"))
    step1->Selected(true);
}

void CScanVrtWnd::Notify(TNotifyUI& msg) {
  if (msg.sType != UINotify::kClick || msg.pSender == nullptr)
    return;
  if (msg.pSender->GetName() == "BtnHome")
    GoHome();
}

}  // namespace zbe
