#include "app/CMessageBox.h"

#include "app/ApplyTexts.h"
#include "app/CSettings.h"
#include "ui/ControlUI.h"

namespace zbe {

CMessageBox::CMessageBox(const CSettings& settings, int kind, std::optional<std::string> title,
                         std::string message, bool showCancel)
    : settings_(settings),
      kind_(kind),
      title_(std::move(title)),
      message_(std::move(message)),
      showCancel_(showCancel) {}

int CMessageBox::Show(const CSettings& settings, const std::optional<std::string>& title, int kind,
                      CWindowWnd* owner, const std::string& message, int width, int height,
                      bool showCancel) {
  CMessageBox box(settings, kind, title, message, showCancel);
  const std::string caption = title ? *title : settings.Message(DefaultTitleId(kind));
  const int rc = box.DoModal(owner, caption, width, height);
  return rc == kMsgBoxOk ? kMsgBoxOk : kMsgBoxCancel;
}

std::string CMessageBox::LayoutFor(int kind) {
  switch (kind) {
    case MsgBoxKind::kConfirm:
      return "xml/MessageBox_Confirm.xml";
    case MsgBoxKind::kInformation:
      return "xml/MessageBox_Information.xml";
    case MsgBoxKind::kWarning:
      return "xml/MessageBox_Warning.xml";
    case MsgBoxKind::kQuestion:
      return "xml/MessageBox_Question.xml";
    default:
      return "xml/MessageBox_Error.xml";
  }
}

std::string CMessageBox::DefaultTitleId(int kind) {
  switch (kind) {
    case MsgBoxKind::kConfirm:
      return "MSG0402";
    case MsgBoxKind::kInformation:
      return "MSG0403";
    case MsgBoxKind::kWarning:
      return "MSG0405";
    case MsgBoxKind::kQuestion:
      return "MSG0404";
    default:
      return "MSG0401";
  }
}

void CMessageBox::InitWindow() {
  SetTexts();
  if (showCancel_) {
    if (CControlUI* cancel = manager_.FindControl("cancelbtn"))
      cancel->SetVisible(true);
  }
}

void CMessageBox::SetTexts() {
  if (CControlUI* title = manager_.FindControl("title"))
    title->SetText(title_ ? *title_ : settings_.Message(DefaultTitleId(kind_)));
  if (CControlUI* message = manager_.FindControl("message"))
    message->SetText(message_);
}

void CMessageBox::Notify(TNotifyUI& msg) {
  if (msg.sType == UINotify::kWindowInit) {
    ApplyTexts(manager_, settings_, LangSection::kMessageBox, TextTarget::kPopup);
    SetTexts();  // the section names buttons; the title and the message stay the caller's
    return;
  }
  if (msg.sType != UINotify::kClick || msg.pSender == nullptr)
    return;
  const std::string& name = msg.pSender->GetName();
  if (name == "okbtn")
    Close(kMsgBoxOk);
  else if (name == "cancelbtn" || name == "closebtn")
    Close(kMsgBoxCancel);
}

}  // namespace zbe
