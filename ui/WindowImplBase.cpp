#include "ui/WindowImplBase.h"

#include <cstdio>

#include "ui/PaintManagerUI.h"

namespace zbe {

WindowImplBase::~WindowImplBase() = default;

bool WindowImplBase::Create(CWindowWnd* owner, const std::string& title, UIWindowKind kind,
                            const UIRect& rc) {
  return CWindowWnd::Create(owner, title, kind, rc);
}

bool WindowImplBase::OnCreate() {
  CDialogBuilder builder;
  const std::string file = GetSkinFile();
  std::unique_ptr<CControlUI> root = builder.Create(file, this, &manager_);
  if (!root) {
    std::fprintf(stderr, "zbe-ui: %s: cannot build layout \"%s\": %s\n",
                 GetWindowClassName().c_str(), file.c_str(), builder.GetLastError().c_str());
    return false;
  }
  manager_.AttachDialog(std::move(root));
  manager_.AddNotifier(this);
  InitWindow();
  return true;
}

void WindowImplBase::Notify(TNotifyUI& msg) {
  if (msg.sType != UINotify::kClick || msg.pSender == nullptr)
    return;
  const std::string& name = msg.pSender->GetName();
  if (name == "closebtn") {
    Close(2);
  } else if (name == "minbtn") {
    Minimize();
  } else if (name == "maxbtn") {
    Maximize();
  } else if (name == "restorebtn") {
    Restore();
  }
}

std::unique_ptr<CControlUI> WindowImplBase::CreateControl(const std::string& /*className*/) {
  return nullptr;
}

bool WindowImplBase::IsCaptionControl(CControlUI* control) const {
  for (const char* kind : {"Button", "Edit", "Text", "List", "ScrollBar", "RichEdit"}) {
    if (control->GetInterface(kind) != nullptr)
      return true;
  }
  return false;
}

UIHitTest WindowImplBase::HitTest(UIPoint pt) {
  const UISize client = manager_.GetClientSize();
  if (!IsMaximized()) {
    const UIRect& sb = manager_.GetSizeBox();
    const bool left = pt.x < sb.left;
    const bool right = pt.x >= client.cx - sb.right;
    const bool top = pt.y < sb.top;
    const bool bottom = pt.y >= client.cy - sb.bottom;
    if (top && left)
      return UIHitTest::kTopLeft;
    if (top && right)
      return UIHitTest::kTopRight;
    if (bottom && left)
      return UIHitTest::kBottomLeft;
    if (bottom && right)
      return UIHitTest::kBottomRight;
    if (left)
      return UIHitTest::kLeft;
    if (right)
      return UIHitTest::kRight;
    if (top)
      return UIHitTest::kTop;
    if (bottom)
      return UIHitTest::kBottom;
  }
  const UIRect& cap = manager_.GetCaptionRect();
  if (cap.bottom > cap.top && pt.x >= cap.left && pt.x < client.cx - cap.right && pt.y >= cap.top &&
      pt.y < cap.bottom) {
    CControlUI* c = manager_.FindControl(pt);
    for (CControlUI* p = c; p != nullptr; p = p->GetParent()) {
      if (IsCaptionControl(p))
        return UIHitTest::kClient;
    }
    return UIHitTest::kCaption;
  }
  return UIHitTest::kClient;
}

void WindowImplBase::OnWindowStateChanged() {
  const bool maximized = IsMaximized();
  if (CControlUI* c = manager_.FindControl("maxbtn"))
    c->SetVisible(!maximized);
  if (CControlUI* c = manager_.FindControl("restorebtn"))
    c->SetVisible(maximized);
}

}  // namespace zbe
