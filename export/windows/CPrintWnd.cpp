#include "export/windows/CPrintWnd.h"

#include <utility>

#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/CustomControls.h"
#include "app/MessageFormat.h"
#include "export/ExportStatusText.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"
#include "ui/LayoutsUI.h"
#include "ui/WebBrowserUI.h"

namespace zbe {

CPrintWnd::CPrintWnd(const CSettings& settings, PrintInputs inputs)
    : settings_(settings), pagePath_(inputs.pagePath), run_(std::move(inputs)) {}

CPrintWnd::~CPrintWnd() {
  CleanUp();
}

std::string CPrintWnd::Msg(const char* id) const {
  return settings_.Message(id);
}

std::unique_ptr<CControlUI> CPrintWnd::CreateControl(const std::string& className) {
  return CreateAppControl(className);
}

void CPrintWnd::InitWindow() {
  post_ = GetPostTarget();
  if (auto* tabs = manager_.Find<CTabLayoutUI>("PrintTabPage"))
    tabs->SelectItem(0);
  if (auto* browser = manager_.Find<CWebBrowserUI>("WebPagePrint")) {
    browser->SetNavigateCompleteHandler(
        [this](CWebBrowserUI& b, const std::string& url) { OnPageLoaded(b, url); });
  }
}

void CPrintWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    Begin();
    return;
  }
  if (msg.sType != UINotify::kClick || msg.pSender == nullptr) {
    CPopUpWnd::Notify(msg);
    return;
  }
  const std::string& name = msg.pSender->GetName();
  if (name == "closebtn") {
    AskToClose();
  } else if (name == "BtnPrintPage") {
    if (auto* browser = manager_.Find<CWebBrowserUI>("WebPagePrint");
        browser && state_ == State::kShown)
      PrintPage(*browser);
  }
}

void CPrintWnd::Begin() {
  ApplyTexts(manager_, settings_, LangSection::kPrintWnd, TextTarget::kPopup);
  if (CControlUI* footer = manager_.FindControl("PrintFooter"))
    footer->SetVisible(false);
  if (auto* gif = manager_.Find<CGifButtonUI>("BtnGifPrintLoading"))
    gif->PlayGif();
  state_ = State::kBuilding;
  worker_ = std::thread([this] { Work(); });
}

void CPrintWnd::Work() {
  const Result result = run_.Run();
  if (result.ok()) {
    post_.PostMessage(kPrintPageReady, 0);
    return;
  }
  post_.PostTask([this, result] {
    if (asking_) {
      // Answered once the question is: a cancel asked for wins over what the build gave.
      pageWaiting_ = true;
      return;
    }
    if (state_ == State::kCancelling || result.stopped()) {
      Close(2);
    } else if (result == kNothingToPrint) {
      ShowNote(State::kNothing, Msg("MSG0906"));
    } else {
      ShowNote(State::kFailed, FormatMessage(Msg("MSG0905"), {result.Text()}));
    }
  });
}

intptr_t CPrintWnd::HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) {
  if (msg != kPrintPageReady)
    return CPopUpWnd::HandleMessage(msg, wParam, lParam, handled);
  handled = true;
  if (asking_)
    pageWaiting_ = true;
  else if (state_ == State::kCancelling)
    Close(2);
  else
    ShowPage();
  return 1;
}

void CPrintWnd::ShowPage() {
  state_ = State::kShown;
  if (auto* gif = manager_.Find<CGifButtonUI>("BtnGifPrintLoading"))
    gif->StopGif();
  if (auto* tabs = manager_.Find<CTabLayoutUI>("PrintTabPage"))
    tabs->SelectItem(1);
  if (CControlUI* footer = manager_.FindControl("PrintFooter"))
    footer->SetVisible(true);
  if (auto* browser = manager_.Find<CWebBrowserUI>("WebPagePrint")) {
    browser->Navigate("about:blank");
    if (browser->Navigate(pagePath_) != 0)
      ShowNote(State::kFailed, FormatMessage(Msg("MSG0905"), {Result(kMissingFile).Text()}));
  }
  manager_.NeedUpdate();
}

void CPrintWnd::OnPageLoaded(CWebBrowserUI& browser, const std::string& url) {
  if (url != pagePath_ || printed_ || state_ != State::kShown)
    return;
  printed_ = true;
  PrintPage(browser);
}

void CPrintWnd::PrintPage(CWebBrowserUI& browser) {
  int32_t result = 0;
  browser.CallPageFunction("Init", &result);
  printResult_ = result;
  browser.NeedUpdate();
  // 1 printed, 2 cancelled by the user in the dialog; anything else failed.
  if (result != 1 && result != 2) {
    CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kError, this,
                      FormatMessage(Msg("MSG0904"), {ExportStatusText(result)}));
  }
}

void CPrintWnd::ShowNote(State state, const std::string& message) {
  state_ = state;
  if (auto* tabs = manager_.Find<CTabLayoutUI>("PrintTabPage"))
    tabs->SelectItem(0);
  if (auto* gif = manager_.Find<CGifButtonUI>("BtnGifPrintLoading")) {
    gif->StopGif();
    gif->SetVisible(false);
  }
  if (CControlUI* footer = manager_.FindControl("PrintFooter"))
    footer->SetVisible(false);
  if (CControlUI* note = manager_.FindControl("LblPrintLoading"))
    note->SetText(message);
}

void CPrintWnd::AskToClose() {
  if (state_ != State::kBuilding) {
    if (state_ != State::kCancelling)
      Close(1);
    return;
  }
  {
    // The build waits at its next record while the user is asked.
    std::lock_guard<std::recursive_mutex> hold(run_.buildLock());
    asking_ = true;
    const int answer =
        CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kQuestion, this, Msg("MSG0903"));
    asking_ = false;
    if (answer == kMsgBoxOk) {
      run_.RequestCancel();
      state_ = State::kCancelling;
    }
  }
  if (!pageWaiting_)
    return;
  // The build ended while the question was open.
  pageWaiting_ = false;
  if (state_ == State::kCancelling) {
    Close(2);
    return;
  }
  // Whatever it ended with is known again from the run once the worker has gone.
  if (worker_.joinable())
    worker_.join();
  const Result result = run_.Wait();
  if (result.ok())
    ShowPage();
  else if (result == kNothingToPrint)
    ShowNote(State::kNothing, Msg("MSG0906"));
  else
    ShowNote(State::kFailed, FormatMessage(Msg("MSG0905"), {result.Text()}));
}

void CPrintWnd::OnEscape() {
  closeNow_ = true;
  Close(2);
}

bool CPrintWnd::OnClose(int /*code*/) {
  if (state_ == State::kBuilding && !closeNow_) {
    post_.PostTask([this] { AskToClose(); });
    return false;
  }
  return true;
}

void CPrintWnd::OnFinalMessage() {
  // A build still going (Escape) stops at its next record, and the page goes when the window
  // is destroyed; otherwise the worker has ended or is about to, and the page goes now.
  run_.RequestCancel();
  if (state_ != State::kBuilding)
    CleanUp();
}

void CPrintWnd::CleanUp() {
  if (worker_.joinable()) {
    run_.RequestCancel();
    worker_.join();
  }
  if (pagePath_.empty())
    return;
  RemovePath(pagePath_);
  // The folder goes too once nothing else is in it (the removal fails otherwise).
  RemovePath(ParentFolder(pagePath_));
}

int ShowPrintWindow(CWindowWnd* owner, const CSettings& settings, PrintInputs inputs) {
  CPrintWnd window(settings, std::move(inputs));
  const std::string title = settings.Text(LangSection::kPrintWnd, "Title");
  return window.DoModal(owner, title.empty() ? "Zorvane Backup Extractor" : title,
                        CPrintWnd::kWidth, CPrintWnd::kHeight);
}

}  // namespace zbe
