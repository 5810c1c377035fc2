#include "app/CItunesBackupVrtWnd.h"

#include <cstdio>

#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CScanVrtWnd.h"
#include "app/CSettings.h"
#include "app/StartupSteps.h"
#include "backup/CBackupParser.h"
#include "platform/AppFolders.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"
#include "ui/SystemServices.h"
#include "ui/WindowWnd.h"

namespace zbe {
namespace {

constexpr char kEncryptedIcon[] = "file='Controls.png' source='53,436,101,462' dest='0,0,48,26'";
constexpr char kPlainIcon[] = "file='Controls.png' source='2,436,50,462' dest='0,0,48,26'";

// Fixed texts of the folder choice: they do not come from the language file.
constexpr char kPickerTitle[] =
    "Select the iTunes Backup File from other folder to recover your data.";
constexpr char kRetryTitle[] = "Question";
constexpr char kRetryText[] = "Can not found the backup file, do you want to try again?";

}  // namespace

CItunesBackupVrtWnd::CItunesBackupVrtWnd(CWindowWnd& window, const CSettings& settings,
                                         CBackupParser& parser, CScanVrtWnd& scanPage)
    : window_(window), settings_(settings), parser_(parser), scanPage_(scanPage) {}

void CItunesBackupVrtWnd::ApplyTexts() {
  zbe::ApplyTexts(window_.GetManager(), settings_, LangSection::kPageItunesBackup);
}

void CItunesBackupVrtWnd::Setup() {
  ApplyTexts();
  summaries_.clear();
  parser_.ReadBackupSummaries(summaries_);
  CPaintManagerUI& m = window_.GetManager();
  list_ = m.Find<CListUI>("BackupFileList");
  if (m.FindControl("BtnSelDir") == nullptr || list_ == nullptr ||
      m.FindControl("BtnNext1") == nullptr) {
    return;
  }
  FillList();
}

void CItunesBackupVrtWnd::FillList() {
  list_->RemoveAll();
  for (BackupSummary& summary : summaries_) {
    auto row = std::make_unique<CListImageTextElementUI>();
    const char* icon = summary.encrypted ? kEncryptedIcon : kPlainIcon;
    row->SetImage(0, icon, icon);
    row->SetText(0, summary.displayName);
    row->SetTextStyle(0, UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis);
    row->SetText(1, summary.lastBackupDate);
    row->SetText(2, summary.serialNumber);
    row->SetDataPtr(&summary);
    list_->Add(std::move(row));
  }
  if (!summaries_.empty())
    list_->SelectItem(0, false, false);

  // With nothing to list, the page says where it looked and what to do instead.
  CPaintManagerUI& m = window_.GetManager();
  const bool empty = summaries_.empty();
  list_->SetVisible(!empty);
  if (CControlUI* state = m.FindControl("BackupEmptyState"))
    state->SetVisible(empty);
  if (CControlUI* folder = m.FindControl("LblNoBackupFolder")) {
    std::string appData;
    folder->SetText(AppDataFolder(appData) == 0 ? MobileSyncRoot(appData) : std::string());
  }
  if (CControlUI* next = m.FindControl("BtnNext1"))
    next->SetEnabled(!empty);
}

void CItunesBackupVrtWnd::Notify(TNotifyUI& msg) {
  if (msg.pSender == nullptr)
    return;
  const std::string& name = msg.pSender->GetName();
  if (msg.sType == UINotify::kClick && name == "BtnNext1") {
    TakeSelected();
  } else if (msg.sType == UINotify::kClick && name == "BtnSelDir") {
    ChooseFolder();
  } else if (msg.sType == UINotify::kListItemDblClick && list_ != nullptr && msg.pSender == list_) {
    TakeSelected();
  }
}

void CItunesBackupVrtWnd::TakeSelected() {
  if (list_ == nullptr || list_->GetCurSel() < 0)
    return;
  auto* row = dynamic_cast<CListImageTextElementUI*>(list_->GetItemAt(list_->GetCurSel()));
  if (row == nullptr || row->GetDataPtr() == nullptr)
    return;
  if (int32_t rc = EnsureViewInstallFolder(); rc != 0)
    std::fprintf(stderr, "zorvane-backup-extractor: cannot create the viewInstall folder (%d)\n",
                 rc);
  scanPage_.SetChosenBackup(*static_cast<const BackupSummary*>(row->GetDataPtr()));
  GoToStep2();
}

void CItunesBackupVrtWnd::ChooseFolder() {
  for (;;) {
    std::string folder;
    if (!UIPickFolder(&window_, kPickerTitle, &folder))
      return;
    BackupSummary summary;
    if (parser_.ReadBackupSummary(folder, summary) == 0) {
      scanPage_.SetChosenBackup(summary);
      GoToStep2();
      return;
    }
    if (CMessageBox::Show(settings_, std::string(kRetryTitle), MsgBoxKind::kQuestion, &window_,
                          kRetryText) != kMsgBoxOk) {
      return;
    }
  }
}

void CItunesBackupVrtWnd::GoToStep2() {
  if (auto* step2 = window_.GetManager().Find<COptionUI>("OptStep2"))
    step2->Selected(true);
}

}  // namespace zbe
