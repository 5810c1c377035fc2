#include "app/CScanVrtWnd.h"

#include <chrono>
#include <type_traits>
#include <variant>

#include "app/AppMessages.h"
#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CPreviewVrtWnd.h"
#include "app/CSettings.h"
#include "app/CSpecifyFileVrtWnd.h"
#include "app/MessageFormat.h"
#include "backup/CBackupParser.h"
#include "export/Formats.h"
#include "export/SelectionFill.h"
#include "export/windows/ScanPageActions.h"
#include "records/CategoryTable.h"
#include "records/ResultCodes.h"
#include "records/ScanResults.h"
#include "ui/ButtonUI.h"
#include "ui/GifButtonUI.h"
#include "ui/LayoutsUI.h"
#include "ui/OptionUI.h"
#include "ui/ProgressUI.h"

namespace zbe {
namespace {

// SQLite's "unable to open": the database is not in the backup (its app is not installed).
constexpr int32_t kDatabaseMissing = 14;

constexpr char kRemarkImage[] = "file='Controls.png' source='538,1,591,54' dest='0,0,53,53'";

// Copies (or moves) the containers of "category" from "from" to "to", with its result.
template <typename From>
void TakeContainer(From&& from, ScanResults& to, RecordCategory category) {
  constexpr bool kMove = !std::is_const_v<std::remove_reference_t<From>>;
  auto take = [](auto& source, auto& target) {
    if constexpr (kMove)
      target = std::move(source);
    else
      target = source;
  };
  std::visit(
      [&](const auto& where) {
        using Where = std::decay_t<decltype(where)>;
        if constexpr (std::is_member_object_pointer_v<Where>) {
          take(from.*where, to.*where);
        } else if constexpr (!std::is_same_v<Where, std::monostate>) {
          take(from.*(where.threads), to.*(where.threads));
          take(from.*(where.rows), to.*(where.rows));
        }
      },
      CategoryInfo(category).container);
  to.categoryResults[static_cast<size_t>(category)] =
      from.categoryResults[static_cast<size_t>(category)];
}

void SetVisible(CPaintManagerUI& m, const char* name, bool visible) {
  if (CControlUI* c = m.FindControl(name))
    c->SetVisible(visible);
}

void SetText(CPaintManagerUI& m, const char* name, const std::string& text) {
  if (CControlUI* c = m.FindControl(name))
    c->SetText(text);
}

}  // namespace

CScanVrtWnd::CScanVrtWnd(CWindowWnd& window, const CSettings& settings, CBackupParser& parser,
                         const CSpecifyFileVrtWnd& filePage, CPreviewVrtWnd& preview)
    : window_(window),
      settings_(settings),
      parser_(parser),
      filePage_(filePage),
      preview_(preview),
      tree_(settings) {}

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
  list_.Find(window_.GetManager());
  tree_.Build(window_.GetManager(), filePage_.ChosenCategories());
}

void CScanVrtWnd::ApplyTexts() {
  CPaintManagerUI& m = window_.GetManager();
  zbe::ApplyTexts(m, settings_, LangSection::kPageScan);
  SetText(m, "BtnScanPause", Msg(paused_ ? "MSG0506" : "MSG0507"));
  if (IsScanning()) {
    SetText(m, "LblScanType", Msg("MSG0501"));
    SetText(m, "LblScanInfo", Msg("MSG0502"));
  }
  tree_.ApplyTexts(counts_);
  UpdateStatistics();
  UpdateFilterCount();
}

// --- start, reset, clear -------------------------------------------------------------------------

void CScanVrtWnd::Clear() {
  results_ = ScanResults{};
  selection_.Clear();
  counts_.fill(0);
  firstNonEmpty_.reset();
  CPaintManagerUI& m = window_.GetManager();
  if (auto* bar = m.Find<CProgressUI>("ProgressScan"))
    bar->SetValue(0);
  SetText(m, "LblPercent", "0%");
  list_.Clear();
  tree_.Build(m, filePage_.ChosenCategories());
  tree_.Relabel(counts_);
  preview_.Clear();
  UpdateStatistics();
}

void CScanVrtWnd::Reset() {
  Clear();
  CPaintManagerUI& m = window_.GetManager();
  ShowProgressCard();
  SetVisible(m, "LblScanInfoDesc", true);
  SetVisible(m, "BtnGifLoading", true);
  SetVisible(m, "ScanToolBar", true);
  SetVisible(m, "ReocveryToolBar", false);
  SetVisible(m, "DataListToolBar", false);
  for (const char* name : {"BtnHome", "BtnRecovery", "BtnPrint"}) {
    if (CControlUI* c = m.FindControl(name))
      c->SetEnabled(false);
  }
  SetLoadingAnimation(true);
}

void CScanVrtWnd::ShowProgressCard() {
  CPaintManagerUI& m = window_.GetManager();
  SetVisible(m, "iPhoneInfoLayout", true);
  SetVisible(m, "DataListLayout", false);
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

int32_t CScanVrtWnd::StartScan(uintptr_t kind) {
  kind_ = kind;
  JoinWorker();
  Reset();
  CPaintManagerUI& m = window_.GetManager();
  SetText(m, "LblScanType", Msg("MSG0501"));
  SetText(m, "LblScanInfo", Msg("MSG0502"));
  if (CControlUI* c = m.FindControl("LblRemark"))
    c->SetBkImage(kRemarkImage);
  SetText(m, "LblDeviceName",
          chosen_.lastBackupDate.empty()
              ? chosen_.displayName
              : chosen_.displayName + "  \u00B7  " + chosen_.lastBackupDate);
  paused_ = false;
  SetText(m, "BtnScanPause", Msg("MSG0507"));

  session_.reset();
  session_ = std::make_unique<ScanSession>(parser_, static_cast<ScanObserver*>(this));
  lastProgress_ = 0;
  pageShown_ = false;
  stopRequest_ = 0;
  finished_ = 0;
  worker_ = std::thread(&CScanVrtWnd::Work, this, chosen_, password_, filePage_.ChosenCategories());
  return 0;
}

// --- the worker ----------------------------------------------------------------------------------

void CScanVrtWnd::Work(BackupSummary summary, std::string password, CategorySet chosen) {
  // The flags were cleared before the thread started, so a stop asked at once is not lost.
  const int32_t result = session_->Run(summary, password, chosen);
  // The page must show before it finishes, even when no report ever said 1.
  if (result != kResultWrongPassword && !pageShown_.exchange(true))
    post_.PostMessage(AppMsg::kScanProgress, AppMsg::kFirstProgress);
  post_.PostTask([this, result] { result_ = result; });
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
    post_.PostTask([this] { ShowProgressCard(); });
  }
  const int shown = progress < 2 ? 2 : (progress >= 100 ? 99 : progress);
  lastProgress_ = shown;
  post_.PostTask([this, shown] {
    CPaintManagerUI& m = window_.GetManager();
    if (auto* bar = m.Find<CProgressUI>("ProgressScan"))
      bar->SetValue(shown);
    SetText(m, "LblPercent", std::to_string(shown) + "%");
  });
  return 0;
}

void CScanVrtWnd::OnOpened(int32_t result) {
  if (result == kResultWrongPassword) {
    post_.PostMessage(AppMsg::kScanProgress, AppMsg::kWrongPassword);
  } else if (result != kResultStopped) {
    post_.PostMessage(AppMsg::kRelabelTree);
  }
}

void CScanVrtWnd::OnCategoryPopulated(RecordCategory category, const ScanResults& results) {
  // The container is complete; the UI thread gets its own copy while the scan goes on.
  auto part = std::make_shared<ScanResults>();
  TakeContainer(results, *part, category);
  post_.PostTask([this, category, part] { AddCategory(category, *part); });
  post_.PostMessage(AppMsg::kRelabelTree);
  post_.PostMessage(AppMsg::kSelectFirstNode);
}

void CScanVrtWnd::AddCategory(RecordCategory category, ScanResults& part) {
  TakeContainer(part, results_, category);
  AddScanCategory(results_, category, selection_);
  const size_t count = CategoryCount(results_, category);
  counts_[static_cast<size_t>(category)] = count;
  if (count > 0) {
    if (!firstNonEmpty_ && !tree_.SelectedCategory())
      firstNonEmpty_ = category;
    tree_.Show(category);
    tree_.SetCheck(category, selection_.CategoryState(category));
  }
  UpdateStatistics();
  UpdateRecoverButton();
}

// --- messages of the run -------------------------------------------------------------------------

void CScanVrtWnd::RelabelTree() {
  tree_.Relabel(counts_);
}

void CScanVrtWnd::SelectFirstNode() {
  if (firstNonEmpty_ && !tree_.SelectedCategory())
    tree_.Select(*firstNonEmpty_);
}

void CScanVrtWnd::FinishScan() {
  CPaintManagerUI& m = window_.GetManager();
  SetVisible(m, "ScanToolBar", false);
  SetVisible(m, "ReocveryToolBar", true);
  SetVisible(m, "DataListToolBar", true);
  SetLoadingAnimation(false);
  SetVisible(m, "BtnGifLoading", false);
  SetVisible(m, "LblScanInfoDesc", false);
  if (CControlUI* home = m.FindControl("BtnHome"))
    home->SetEnabled(true);
  // What was found, in the progress card, until a category is chosen.
  size_t total = 0;
  for (size_t count : counts_)
    total += count;
  SetText(m, "LblScanInfo",
          FormatMessage(Msg(total > 0 ? "MSG0503" : "MSG0504"), {std::to_string(total)}));
  RelabelTree();
  UpdateRecoverButton();
  UpdateStatistics();
  ReportUnreadCategories();
}

void CScanVrtWnd::ReportUnreadCategories() {
  // A category whose reader failed (a damaged or unknown database) would otherwise look like one
  // with nothing in it; the person is told which ones, and sees everything else that was read.
  std::string names;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    const std::optional<int32_t>& result =
        results_.categoryResults[static_cast<size_t>(info.category)];
    if (!result || *result == kResultOk || *result == kResultStopped ||
        *result == kResultMissingFile || *result == kDatabaseMissing) {
      continue;  // read, stopped, or not in this backup at all (no such app or database)
    }
    names += (names.empty() ? "" : ", ") + tree_.Name(info.category);
  }
  if (names.empty())
    return;
  const std::string text = FormatMessage(Msg("MSG0514"), {names});
  post_.PostTask([this, text] {
    CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kInformation, &window_, text);
  });
}

void CScanVrtWnd::UpdateStatistics() {
  CControlUI* line = window_.GetManager().FindControl("LblStatistics");
  if (line == nullptr)
    return;
  const StatisticsTotals totals = selection_.Totals();
  auto size = [](uint64_t bytes) {
    return bytes == 0 ? std::string("0 MB") : FormatSize(static_cast<int64_t>(bytes));
  };
  line->SetText(
      FormatMessage(Msg("MSG0513"), {size(totals.checkedSize), std::to_string(totals.checkedCount),
                                     size(totals.totalSize), std::to_string(totals.totalCount)}));
}

void CScanVrtWnd::Recover() {
  // The same terms as the button's; a click that slipped past a change of state does nothing.
  // The stored files are those of the backup the session opened (it has a source once open).
  if (session_ == nullptr || session_->source() == nullptr || (IsScanning() && !paused_) ||
      !selection_.AnyChecked()) {
    return;
  }
  RecoverCheckedItems(window_, settings_, results_, selection_, session_->storedFiles(), chosen_);
}

void CScanVrtWnd::Print() {
  if ((IsScanning() && !paused_) || !selection_.AnyChecked())
    return;
  PrintCheckedRecords(window_, settings_, results_, selection_, tree_.SelectedCategory(),
                      parser_.WorkFolder());
}

void CScanVrtWnd::UpdateRecoverButton() {
  // Printing takes the checked records as the export does, so it is offered on the same terms.
  const bool enabled = (!IsScanning() || paused_) && selection_.AnyChecked();
  for (const char* name : {"BtnRecovery", "BtnPrint"}) {
    if (CControlUI* button = window_.GetManager().FindControl(name))
      button->SetEnabled(enabled);
  }
}

// --- pause, stop, leave, home --------------------------------------------------------------------

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
  SetText(m, "BtnScanPause", Msg(paused_ ? "MSG0506" : "MSG0507"));
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
      SetText(window_.GetManager(), "BtnScanPause", Msg("MSG0507"));
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
  SetVisible(m, "HorLayoutMain", true);
  SetVisible(m, "HorLayoutScan", false);
  JoinWorker();
  Clear();
  if (auto* tabs = m.Find<CTabLayoutUI>("MainTabPage"))
    tabs->SelectItem(0);
  if (auto* step1 = m.Find<COptionUI>("OptStep1"))
    step1->Selected(true);
}

}  // namespace zbe
