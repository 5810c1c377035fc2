#include "app/CSpecifyFileVrtWnd.h"

#include <string>

#include "app/AppMessages.h"
#include "app/ApplyTexts.h"
#include "app/AskPassword.h"
#include "app/CMessageBox.h"
#include "app/CScanVrtWnd.h"
#include "app/CSettings.h"
#include "records/CategoryTable.h"
#include "ui/ContainerUI.h"
#include "ui/OptionUI.h"
#include "ui/WindowWnd.h"

namespace zbe {

CSpecifyFileVrtWnd::CSpecifyFileVrtWnd(CWindowWnd& window, const CSettings& settings,
                                       CScanVrtWnd& scanPage)
    : window_(window), settings_(settings), scanPage_(scanPage) {}

void CSpecifyFileVrtWnd::Load() {
  CPaintManagerUI& m = window_.GetManager();
  ApplyTexts(m, settings_, LangSection::kPageSpecifyFile);
  for (const RecordCategoryInfo& info : RecordCategories()) {
    options_[static_cast<size_t>(info.category)] =
        m.Find<COptionUI>(std::string(info.optionControl));
  }
  selectAll_ = m.Find<CCheckBoxUI>("ChkSelAll");
  next_ = m.Find<CButtonUI>("BtnNext2");
  Recompute();
}

void CSpecifyFileVrtWnd::Notify(TNotifyUI& msg) {
  if (msg.pSender == nullptr)
    return;
  if (msg.sType == UINotify::kSelectChanged) {
    if (msg.pSender == selectAll_) {
      SelectAll(selectAll_->IsSelected());
      return;
    }
    for (COptionUI* option : options_) {
      if (msg.pSender == option) {
        Recompute();
        return;
      }
    }
  } else if (msg.sType == UINotify::kClick && msg.pSender == next_) {
    Start();
  }
}

bool CSpecifyFileVrtWnd::IsChosen(RecordCategory category) const {
  const COptionUI* option = options_[static_cast<size_t>(category)];
  return option != nullptr && option->IsSelected();
}

CategorySet CSpecifyFileVrtWnd::ChosenCategories() const {
  CategorySet chosen;
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (IsChosen(info.category))
      chosen.Add(info.category);
  }
  return chosen;
}

void CSpecifyFileVrtWnd::Recompute() {
  int checked = 0;
  int present = 0;
  for (const COptionUI* option : options_) {
    if (option == nullptr)
      continue;
    ++present;
    checked += option->IsSelected() ? 1 : 0;
  }
  if (selectAll_ != nullptr) {
    // Set without a notification: "select all" changing would set every option in turn.
    if (checked == 0) {
      selectAll_->SetCheckState(UICheckState::kUnchecked, false);
    } else {
      selectAll_->SetCheckState(
          checked == present ? UICheckState::kChecked : UICheckState::kHalfChecked, false);
    }
    selectAll_->Invalidate();
  }
  if (next_ != nullptr)
    next_->SetEnabled(checked > 0);
}

void CSpecifyFileVrtWnd::SelectAll(bool checked) {
  for (COptionUI* option : options_) {
    if (option != nullptr)
      option->Selected(checked, false);
  }
  if (selectAll_ != nullptr)
    selectAll_->SetHalfChecked(false);
  if (next_ != nullptr)
    next_->SetEnabled(checked);
}

void CSpecifyFileVrtWnd::SetStarting(bool starting) {
  if (next_ != nullptr)
    next_->SetEnabled(!starting);
  if (auto* tabs = window_.GetManager().Find<CContainerUI>("MainTabPage"))
    tabs->SetMouseChildEnabled(!starting);
}

void CSpecifyFileVrtWnd::Start() {
  if (scanPage_.ChosenBackup().folderPath.empty()) {
    // Step 2 can be reached before a backup was chosen; there is nothing to scan yet.
    CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kInformation, &window_,
                      settings_.Message("MSG0201"));
    if (auto* step1 = window_.GetManager().Find<COptionUI>("OptStep1"))
      step1->Selected(true);
    return;
  }
  SetStarting(true);
  std::string password;
  if (AskPassword(scanPage_.ChosenBackup(), settings_, &window_, &password) == kPasswordCancelled) {
    SetStarting(false);
    return;
  }
  scanPage_.SetPassword(password);
  // "Next" and the steps stay blocked until the scan page shows.
  window_.PostMessage(AppMsg::kStartScan, AppMsg::kSourceBackup);
}

}  // namespace zbe
