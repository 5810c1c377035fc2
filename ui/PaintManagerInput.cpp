// The paint manager's input side: mouse, keys and focus, from the window to the controls.
#include <algorithm>
#include <vector>

#include "ui/PaintManagerUI.h"
#include "ui/UIApplication.h"

namespace zbe {
namespace {

CControlUI* CollectTabStops(CControlUI* control, void* data) {
  if (control->IsTabStop() && control->IsKeyboardEnabled()) {
    static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  }
  return nullptr;
}

}  // namespace

void CPaintManagerUI::SetFocus(CControlUI* control) {
  if (control != nullptr &&
      (control->GetManager() != this || !control->IsVisible() || !control->IsEnabled())) {
    control = nullptr;
  }
  if (control == focus_)
    return;
  CControlUI* old = focus_;
  focus_ = nullptr;
  if (old != nullptr) {
    TEventUI e{.type = UIEventType::kKillFocus};
    SendEvent(old, e);
    SendNotify(old, UINotify::kKillFocus);
  }
  focus_ = control;
  if (control != nullptr) {
    TEventUI e{.type = UIEventType::kSetFocus};
    SendEvent(control, e);
    SendNotify(control, UINotify::kSetFocus);
  }
  if (host_ != nullptr) {
    host_->HostSetTextInput(focus_ != nullptr && focus_->GetInterface("Edit") != nullptr);
  }
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
  if (!root_)
    return false;
  std::vector<CControlUI*> stops;
  root_->FindControl(CollectTabStops, &stops,
                     UIFind::kVisible | UIFind::kEnabled | UIFind::kMeFirst);
  if (stops.empty())
    return false;
  auto it = std::find(stops.begin(), stops.end(), focus_);
  size_t index = 0;
  if (it == stops.end()) {
    index = forward ? 0 : stops.size() - 1;
  } else {
    size_t cur = static_cast<size_t>(it - stops.begin());
    index = forward ? (cur + 1) % stops.size() : (cur + stops.size() - 1) % stops.size();
  }
  SetFocus(stops[index]);
  return true;
}

void CPaintManagerUI::SendEvent(CControlUI* control, TEventUI& event) {
  if (control == nullptr)
    return;
  event.pSender = control;
  if (UIApplication* app = UIApplication::Instance())
    event.timestamp = app->NowMs();
  control->Event(event);
}

void CPaintManagerUI::SetHot(CControlUI* control, UIPoint pt, uint32_t mods) {
  if (control == hot_)
    return;
  CControlUI* old = hot_;
  hot_ = control;
  if (old != nullptr) {
    TEventUI e{.type = UIEventType::kMouseLeave, .ptMouse = pt, .keyState = mods};
    SendEvent(old, e);
  }
  if (control != nullptr && hot_ == control) {
    TEventUI e{.type = UIEventType::kMouseEnter, .ptMouse = pt, .keyState = mods};
    SendEvent(control, e);
  }
}

void CPaintManagerUI::OnMouseMove(UIPoint pt, uint32_t mods) {
  lastMouse_ = pt;
  TEventUI e{.type = UIEventType::kMouseMove, .ptMouse = pt, .keyState = mods};
  if (capture_ != nullptr) {
    SendEvent(capture_, e);
    return;
  }
  UpdateLayout();
  CControlUI* c = FindControl(pt);
  SetHot(c, pt, mods);
  if (c != nullptr && hot_ == c)
    SendEvent(c, e);
  SetCursor(c != nullptr && c->IsEnabled() ? c->GetCursor() : UICursor::kArrow);
}

void CPaintManagerUI::OnMouseLeaveWindow() {
  if (capture_ == nullptr)
    SetHot(nullptr, lastMouse_, 0);
}

CControlUI* CPaintManagerUI::PressTarget(UIPoint pt, uint32_t mods) {
  FlushDelayedCleanup();
  UpdateLayout();
  lastMouse_ = pt;
  CControlUI* c = FindControl(pt);
  if (c != nullptr)
    SetHot(c, pt, mods);
  return c;
}

void CPaintManagerUI::OnButtonDown(UIPoint pt, uint32_t mods) {
  CControlUI* c = PressTarget(pt, mods);
  if (c == nullptr)
    return;
  // A click gives the focus to the nearest tab stop, or takes it away; a click on a disabled
  // control changes nothing.
  if (c->IsEnabled()) {
    CControlUI* stop = c;
    while (stop != nullptr &&
           !(stop->IsTabStop() && stop->IsKeyboardEnabled() && stop->IsEnabled())) {
      stop = stop->GetParent();
    }
    SetFocus(stop);
  }
  if (hot_ != c)
    return;  // a focus handler removed or hid the control
  capture_ = c;
  TEventUI e{
      .type = UIEventType::kButtonDown, .ptMouse = pt, .keyState = mods | UIMod::kLeftButton};
  SendEvent(c, e);
}

void CPaintManagerUI::OnButtonUp(UIPoint pt, uint32_t mods) {
  lastMouse_ = pt;
  CControlUI* c = capture_;
  capture_ = nullptr;
  if (c != nullptr) {
    TEventUI e{.type = UIEventType::kButtonUp, .ptMouse = pt, .keyState = mods};
    SendEvent(c, e);
  }
  UpdateLayout();
  SetHot(FindControl(pt), pt, mods);
}

void CPaintManagerUI::OnDoubleClick(UIPoint pt, uint32_t mods) {
  CControlUI* c = PressTarget(pt, mods);
  if (c == nullptr)
    return;
  capture_ = c;
  TEventUI e{.type = UIEventType::kDblClick, .ptMouse = pt, .keyState = mods | UIMod::kLeftButton};
  SendEvent(c, e);
}

void CPaintManagerUI::OnRButtonDown(UIPoint pt, uint32_t mods) {
  UpdateLayout();
  lastMouse_ = pt;
  CControlUI* c = FindControl(pt);
  if (c == nullptr)
    return;
  TEventUI e{
      .type = UIEventType::kRButtonDown, .ptMouse = pt, .keyState = mods | UIMod::kRightButton};
  SendEvent(c, e);
}

void CPaintManagerUI::OnWheel(UIPoint pt, int delta, uint32_t mods) {
  UpdateLayout();
  CControlUI* c = FindControl(pt);
  if (c == nullptr)
    return;
  TEventUI e{
      .type = UIEventType::kScrollWheel, .ptMouse = pt, .keyState = mods, .wheelDelta = delta};
  SendEvent(c, e);
}

bool CPaintManagerUI::OnKeyDown(uint32_t key, uint32_t mods) {
  FlushDelayedCleanup();
  if (key == UIKey::kTab && (mods & (UIMod::kCtrl | UIMod::kAlt)) == 0) {
    return SetNextTabControl((mods & UIMod::kShift) == 0);
  }
  if (focus_ == nullptr)
    return false;
  TEventUI e{.type = UIEventType::kKeyDown, .chKey = key, .keyState = mods};
  SendEvent(focus_, e);
  return true;
}

void CPaintManagerUI::OnChar(uint32_t codePoint, uint32_t mods) {
  if (focus_ == nullptr)
    return;
  TEventUI e{.type = UIEventType::kChar, .chKey = codePoint, .keyState = mods};
  SendEvent(focus_, e);
}

void CPaintManagerUI::OnWindowFocusLost() {
  if (focus_ == nullptr)
    return;
  TEventUI e{.type = UIEventType::kKillFocus};
  SendEvent(focus_, e);
}

void CPaintManagerUI::OnWindowFocusGained() {
  if (focus_ == nullptr)
    return;
  TEventUI e{.type = UIEventType::kSetFocus};
  SendEvent(focus_, e);
}

}  // namespace zbe
