#include "app/CPreviewProcessWnd.h"

#include <chrono>

#include "app/ApplyTexts.h"
#include "app/CMessageBox.h"
#include "app/CSettings.h"
#include "app/MessageFormat.h"
#include "records/ResultCodes.h"
#include "ui/ProgressUI.h"

namespace zbe {

CPreviewProcessWnd::CPreviewProcessWnd(const CSettings& settings, PreviewCopyFn copy,
                                       std::string storedPath, std::string displayName)
    : settings_(settings),
      copy_(std::move(copy)),
      storedPath_(std::move(storedPath)),
      displayName_(std::move(displayName)) {}

CPreviewProcessWnd::~CPreviewProcessWnd() {
  cancel_ = 1;
  if (worker_.joinable())
    worker_.join();
}

int CPreviewProcessWnd::Run(CWindowWnd* owner) {
  const int rc =
      DoModal(owner, settings_.Text(LangSection::kPreviewProcessWnd, "Title"), kWidth, kHeight);
  if (worker_.joinable())
    worker_.join();
  // Only a copy that was made counts, whatever ended the window.
  return rc == kCopied && copyResult_.load() == 0 && cancel_.load() == 0 ? kCopied : kNotCopied;
}

void CPreviewProcessWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    ApplyTexts(manager_, settings_, LangSection::kPreviewProcessWnd, TextTarget::kPopup);
    if (CControlUI* name = manager_.FindControl("LblFileName"))
      name->SetText(FormatMessage("%s %s", {settings_.Message("MSG0902"), displayName_}));
    ShowPercent(0);
    post_ = GetPostTarget();
    finished_ = 0;
    worker_ = std::thread(&CPreviewProcessWnd::CopyFile, this);
    return;
  }
  if (msg.sType == UINotify::kClick && msg.pSender != nullptr) {
    const std::string& name = msg.pSender->GetName();
    if (name == "closebtn" || name == "BtnCancel") {
      Cancel();
      return;
    }
  }
  CPopUpWnd::Notify(msg);
}

void CPreviewProcessWnd::CopyFile() {
  std::string path;
  const int32_t rc = copy_(storedPath_, path, &CPreviewProcessWnd::OnCopyProgress, this);
  copyPath_ = path;
  copyResult_ = rc;
  finished_ = 1;
  // A failed copy ends the window as a cancelled one does: there is nothing to preview.
  post_.PostTask([this, rc] {
    if (!IsClosed())
      Close(rc == 0 && cancel_.load() == 0 ? kCopied : kNotCopied);
  });
}

int32_t CPreviewProcessWnd::OnCopyProgress(void* context, int32_t percent) {
  auto* self = static_cast<CPreviewProcessWnd*>(context);
  std::lock_guard<std::recursive_mutex> guard(self->lock_);  // waits while the question is open
  if (self->cancel_.load() != 0)
    return kResultStopped;
  self->post_.PostTask([self, percent] { self->ShowPercent(percent); });
  return 0;
}

void CPreviewProcessWnd::ShowPercent(int32_t percent) {
  if (CControlUI* label = manager_.FindControl("LblPercent")) {
    label->SetText(
        FormatMessage("%s %d%%", {settings_.Message("MSG0901"), std::to_string(percent)}));
  }
  if (auto* bar = manager_.Find<CProgressUI>("Progress"))
    bar->SetValue(percent);
}

void CPreviewProcessWnd::Cancel() {
  if (IsClosed())
    return;
  std::unique_lock<std::recursive_mutex> hold(lock_);
  ShowWindow(false, false);
  const int answer = CMessageBox::Show(settings_, std::nullopt, MsgBoxKind::kQuestion, this,
                                       settings_.Message("MSG0903"));
  ShowWindow(true);
  CenterWindow();
  if (answer != kMsgBoxOk)
    return;  // the copy goes on from where it waited
  cancel_ = 1;
  hold.unlock();
  while (finished_.load() == 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  Close(kNotCopied);
}

}  // namespace zbe
