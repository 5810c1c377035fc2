#include "app/CMainWnd.h"

#include <cstdio>

#include "app/AppMessages.h"
#include "app/ApplyTexts.h"
#include "app/AskPassword.h"
#include "app/AssistMenu.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/CustomControls.h"
#include "app/StartupSteps.h"
#include "backup/CBackupParser.h"
#include "ui/LayoutsUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/UIApplication.h"

namespace zbe {
namespace {

constexpr char kProductImage[] = "file='Others.png' source='1,277,541,333'";

}  // namespace

CMainWnd::CMainWnd(CSettings& settings)
    : settings_(settings),
      parser_(std::make_unique<CBackupParser>()),
      previewPane_(*this, settings, *parser_),
      specifyPage_(*this, settings, scanPage_),
      scanPage_(*this, settings, *parser_, specifyPage_, previewPane_),
      itunesPage_(*this, settings, *parser_, scanPage_) {}

CMainWnd::~CMainWnd() {
  UnregisterPages();
}

std::unique_ptr<CControlUI> CMainWnd::CreateControl(const std::string& className) {
  return CreateAppControl(className);
}

void CMainWnd::InitWindow() {
  if (CControlUI* product = manager_.FindControl("LblProductName"))
    product->SetBkImage(kProductImage);
  if (int32_t rc = EnsureViewInstallFolder(); rc != 0)
    std::fprintf(stderr, "zorvane-backup-extractor: cannot create the viewInstall folder (%d)\n",
                 rc);
  manager_.AddVirtualWnd("ItunesVtrWnd", &itunesPage_);
  manager_.AddVirtualWnd("SpecifyFileVtrWnd", &specifyPage_);
  manager_.AddVirtualWnd("ScanVtrWnd", &scanPage_);
  manager_.AddVirtualWnd("PreviewVtrWnd", &previewPane_);
  pagesRegistered_ = true;
}

void CMainWnd::UnregisterPages() {
  if (!pagesRegistered_)
    return;
  manager_.RemoveVirtualWnd("ItunesVtrWnd");
  manager_.RemoveVirtualWnd("SpecifyFileVtrWnd");
  manager_.RemoveVirtualWnd("ScanVtrWnd");
  manager_.RemoveVirtualWnd("PreviewVtrWnd");
  pagesRegistered_ = false;
}

void CMainWnd::ApplyAllTexts(bool first) {
  ApplyTexts(manager_, settings_, LangSection::kMainWnd);
  if (first) {
    itunesPage_.Setup();
    specifyPage_.Load();
    previewPane_.FindControls();
    scanPage_.FindControls();
  } else {
    itunesPage_.ApplyTexts();
    // The file page follows the language at once too, so no step shows two languages.
    ApplyTexts(manager_, settings_, LangSection::kPageSpecifyFile);
  }
  scanPage_.ApplyTexts();
}

void CMainWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    ApplyAllTexts(true);
    return;
  }
  const std::string name = msg.pSender != nullptr ? msg.pSender->GetName() : std::string();
  if (msg.sType == UINotify::kClick) {
    if (name == "BtnAssist") {
      ShowAssistMenu();
      return;
    }
    if (name == "BtnScanPause") {
      scanPage_.TogglePause();
      return;
    }
    if (name == "BtnScanStop") {
      scanPage_.StopScan();
      return;
    }
  } else if (msg.sType == UINotify::kSelectChanged && msg.wParam != 0) {
    auto* tabs = manager_.Find<CTabLayoutUI>("TabPage");
    if (name == "OptStep1" && tabs != nullptr) {
      tabs->SelectItem(0);
      return;
    }
    if (name == "OptStep2" && tabs != nullptr) {
      tabs->SelectItem(1);
      return;
    }
    if (name == "OptStep3")
      return;
  }
  WindowImplBase::Notify(msg);
}

void CMainWnd::ShowAssistMenu() {
  CControlUI* button = manager_.FindControl("BtnAssist");
  if (button == nullptr)
    return;
  CMenuWnd menu;
  if (!BuildAssistMenu(menu, *this, settings_))
    return;
  const UIRect& pos = button->GetPos();
  const std::string item = menu.TrackPopup(ClientToScreen(UIPoint{pos.left, pos.bottom}));
  RunAssistMenuItem(item, *this, settings_);
}

intptr_t CMainWnd::HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) {
  handled = true;
  switch (msg) {
    case AppMsg::kPreviewReady:
      previewPane_.ShowCopy();
      return 1;
    case AppMsg::kLanguageChanged:
      ApplyAllTexts(false);
      return 1;
    case AppMsg::kStartScan:
      scanPage_.StartScan(wParam);
      return 1;
    case AppMsg::kRelabelTree:
      scanPage_.RelabelTree();
      return 1;
    case AppMsg::kSelectFirstNode:
      scanPage_.SelectFirstNode();
      return 1;
    case AppMsg::kScanFinished:
      scanPage_.FinishScan();
      return 1;
    case AppMsg::kScanProgress:
      OnScanProgress(wParam);
      return 1;
    default:
      break;
  }
  handled = false;
  return WindowImplBase::HandleMessage(msg, wParam, lParam, handled);
}

void CMainWnd::OnScanProgress(uintptr_t wParam) {
  if (wParam == AppMsg::kFirstProgress)
    ShowScanPage();
  else if (wParam == AppMsg::kWrongPassword)
    AskPasswordAgain();
}

void CMainWnd::ShowScanPage() {
  specifyPage_.SetStarting(false);
  if (auto* tabs = manager_.Find<CTabLayoutUI>("MainTabPage"))
    tabs->SelectItem(1);
  if (CControlUI* c = manager_.FindControl("HorLayoutMain"))
    c->SetVisible(false);
  if (CControlUI* c = manager_.FindControl("HorLayoutScan"))
    c->SetVisible(true);
}

void CMainWnd::AskPasswordAgain() {
  CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kInformation, this,
                    settings_.Message("MSG0302"));
  std::string password;
  if (AskPassword(scanPage_.ChosenBackup(), settings_, this, &password) == kPasswordCancelled) {
    specifyPage_.SetStarting(false);
    return;
  }
  specifyPage_.SetStarting(true);
  scanPage_.SetPassword(password);
  PostMessage(AppMsg::kStartScan, AppMsg::kSourceBackup);
}

bool CMainWnd::PreTranslateKey(uint32_t key, uint32_t /*mods*/) {
  return key == UIKey::kReturn || key == UIKey::kEscape;
}

bool CMainWnd::OnClose(int /*code*/) {
  return scanPage_.ConfirmLeave() != kMsgBoxCancel;
}

void CMainWnd::OnFinalMessage() {
  UnregisterPages();
  if (UIApplication* app = UIApplication::Instance())
    app->Quit(0);
}

bool CMainWnd::IsCaptionControl(CControlUI* control) const {
  const std::string cls = control->GetClass();
  return cls == "ButtonUI" || cls == "OptionUI" || cls == "TextUI" || cls == "EditUI" ||
         cls == "CheckBoxUI";
}

bool CMainWnd::ShowFromOtherLaunch() {
  if (!IsCreated() || IsClosed())
    return false;
  if (IsMinimized())
    Restore();
  ShowWindow(true, false);
  return true;
}

}  // namespace zbe
