#include "app/CDecryptionWnd.h"

#include "app/AppLinks.h"
#include "app/ApplyTexts.h"
#include "app/CSettings.h"
#include "ui/EditUI.h"
#include "ui/LayoutsUI.h"
#include "ui/SystemServices.h"

namespace zbe {

CDecryptionWnd::CDecryptionWnd(const CSettings& settings, std::string backupName)
    : settings_(settings), backupName_(std::move(backupName)) {}

void CDecryptionWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    OnWindowInit();
    return;
  }
  const std::string name = msg.pSender != nullptr ? msg.pSender->GetName() : std::string();
  if (msg.sType != UINotify::kClick) {
    CPopUpWnd::Notify(msg);
    return;
  }
  if (name == "BtnOK") {
    Confirm();
  } else if (name == "BtnCancel") {
    Close(2);
  } else if (name == "BtnRestoreLink") {
    UIShellOpen(AppPageAddress(AppPage::kForgottenPassword, settings_.ProgramFolder()));
  } else {
    CPopUpWnd::Notify(msg);
  }
}

void CDecryptionWnd::OnWindowInit() {
  ApplyTexts(manager_, settings_, LangSection::kDecryptionWnd, TextTarget::kPopup);
  if (CControlUI* name = manager_.FindControl("LblBackupName"))
    name->SetText(backupName_);
  auto* edit = manager_.Find<CEditUI>("EditPassword");
  if (edit == nullptr) {
    if (auto* row = manager_.Find<CHorizontalLayoutUI>("HorLayout")) {
      edit = row->AddNew<CEditUI>();
      edit->ApplyAttributeList(
          "name=\"EditPassword\" width=\"350\" height=\"35\" password=\"true\" "
          "padding=\"5,5,20,0\" textpadding=\"10,0,10,0\" maxchar=\"256\" style=\"EditBlue\"");
    }
  }
  if (edit != nullptr)
    edit->SetFocus();
}

bool CDecryptionWnd::PreTranslateKey(uint32_t key, uint32_t mods) {
  if (key == UIKey::kReturn) {
    Confirm();
    return true;
  }
  return CPopUpWnd::PreTranslateKey(key, mods);
}

void CDecryptionWnd::Confirm() {
  if (auto* edit = manager_.Find<CEditUI>("EditPassword"))
    password_ = edit->GetText();
  Close(1);
}

}  // namespace zbe
