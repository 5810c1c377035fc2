#include "ui/ControlUI.h"

#include <utility>

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/UIApplication.h"

namespace zbe {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (manager_ != nullptr)
    manager_->ForgetControl(this);
}

std::string CControlUI::GetClass() const {
  return "ControlUI";
}

void* CControlUI::GetInterface(std::string_view name) {
  if (name == "Control")
    return this;
  return nullptr;
}

void CControlUI::SetName(const std::string& name) {
  if (name == name_)
    return;
  if (manager_ != nullptr)
    manager_->UnregisterName(this);
  name_ = name;
  if (manager_ != nullptr)
    manager_->RegisterName(this);
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (manager_ != nullptr && manager_ != manager)
    manager_->UnregisterName(this);
  manager_ = manager;
  parent_ = parent;
  if (manager_ != nullptr) {
    manager_->RegisterName(this);
    if (init && !initialized_) {
      initialized_ = true;
      DoInit();
    }
  }
}

CControlUI* CControlUI::FindControl(FindControlProc proc, void* data, uint32_t flags) {
  if ((flags & UIFind::kVisible) && !IsVisible())
    return nullptr;
  if ((flags & UIFind::kEnabled) && !IsEnabled())
    return nullptr;
  if ((flags & UIFind::kHitTest) && !rcItem_.Contains(*static_cast<UIPoint*>(data))) {
    return nullptr;
  }
  return proc(this, data);
}

void CControlUI::SetText(const std::string& text) {
  if (text == text_)
    return;
  text_ = text;
  Invalidate();
}

void CControlUI::SetPos(const UIRect& rc) {
  UIRect r = rc;
  if (r.right < r.left)
    r.right = r.left;
  if (r.bottom < r.top)
    r.bottom = r.top;
  rcItem_ = r;
  updateNeeded_ = false;
}

void CControlUI::SetPadding(const UIRect& padding) {
  padding_ = padding;
  NeedParentUpdate();
}

void CControlUI::SetFixedXY(UISize xy) {
  fixedXY_ = xy;
  NeedParentUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
  if (cx < 0 || cx == fixedWidth_)
    return;
  fixedWidth_ = cx;
  NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
  if (cy < 0 || cy == fixedHeight_)
    return;
  fixedHeight_ = cy;
  NeedParentUpdate();
}

void CControlUI::SetMinWidth(int cx) {
  if (cx < 0)
    return;
  minWidth_ = cx;
  NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int cx) {
  if (cx < 0)
    return;
  maxWidth_ = cx;
  NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy) {
  if (cy < 0)
    return;
  minHeight_ = cy;
  NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int cy) {
  if (cy < 0)
    return;
  maxHeight_ = cy;
  NeedParentUpdate();
}

void CControlUI::SetFloat(bool on) {
  if (on == float_)
    return;
  float_ = on;
  NeedParentUpdate();
}

UISize CControlUI::EstimateSize(UISize /*available*/) {
  return UISize{fixedWidth_, fixedHeight_};
}

void CControlUI::SetBkColor(UIColor c) {
  bkColor_ = c;
  Invalidate();
}

void CControlUI::SetBkColor2(UIColor c) {
  bkColor2_ = c;
  Invalidate();
}

void CControlUI::SetBorderColor(UIColor c) {
  borderColor_ = c;
  Invalidate();
}

void CControlUI::SetFocusBorderColor(UIColor c) {
  focusBorderColor_ = c;
  Invalidate();
}

void CControlUI::SetBorderSize(int width) {
  int w = std::max(0, width);
  borderSize_ = UIRect{w, w, w, w};
  Invalidate();
}

void CControlUI::SetBorderSize(const UIRect& sides) {
  borderSize_ = sides;
  Invalidate();
}

void CControlUI::SetBorderRound(UISize round) {
  borderRound_ = round;
  Invalidate();
}

void CControlUI::SetBkImage(const std::string& image) {
  if (image == bkImage_)
    return;
  bkImage_ = image;
  Invalidate();
}

void CControlUI::SetForeImage(const std::string& image) {
  if (image == foreImage_)
    return;
  foreImage_ = image;
  Invalidate();
}

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible)
    return;
  visible_ = visible;
  if (!IsVisible() && manager_ != nullptr) {
    // A control that disappears gives up the focus and the mouse.
    CControlUI* focus = manager_->GetFocus();
    for (CControlUI* c = focus; c != nullptr; c = c->GetParent()) {
      if (c == this) {
        manager_->SetFocus(nullptr);
        break;
      }
    }
  }
  NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
  if (internVisible_ == visible)
    return;
  internVisible_ = visible;
  if (!visible && manager_ != nullptr && manager_->GetFocus() == this) {
    manager_->SetFocus(nullptr);
  }
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled)
    return;
  enabled_ = enabled;
  if (enabled)
    state_ &= ~UIState::kDisabled;
  else
    state_ = (state_ & ~(UIState::kHot | UIState::kPushed)) | UIState::kDisabled;
  Invalidate();
}

bool CControlUI::IsFocused() const {
  return manager_ != nullptr && manager_->GetFocus() == this;
}

void CControlUI::SetFocus() {
  if (manager_ != nullptr)
    manager_->SetFocus(this);
}

void CControlUI::SetState(uint32_t state) {
  if (state == state_)
    return;
  state_ = state;
  Invalidate();
}

std::string CControlUI::GetVirtualWnd() const {
  for (const CControlUI* c = this; c != nullptr; c = c->parent_) {
    if (!c->virtualWnd_.empty())
      return c->virtualWnd_;
  }
  return {};
}

bool CControlUI::SetAttribute(const std::string& name, const std::string& value) {
  UIRect rc;
  UISize sz;
  UIColor color = 0;
  int n = 0;
  if (name == "pos") {
    if (ParseUIRect(value, &rc)) {
      SetFixedXY(UISize{rc.left, rc.top});
      SetFixedWidth(std::max(0, rc.right - rc.left));
      SetFixedHeight(std::max(0, rc.bottom - rc.top));
    }
  } else if (name == "padding") {
    if (ParseUIRect(value, &rc))
      SetPadding(rc);
  } else if (name == "bkcolor" || name == "bkcolor1") {
    if (ParseUIColor(value, &color))
      SetBkColor(color);
  } else if (name == "bkcolor2") {
    if (ParseUIColor(value, &color))
      SetBkColor2(color);
  } else if (name == "bordercolor") {
    if (ParseUIColor(value, &color))
      SetBorderColor(color);
  } else if (name == "focusbordercolor") {
    if (ParseUIColor(value, &color))
      SetFocusBorderColor(color);
  } else if (name == "bordersize") {
    if (value.find(',') != std::string::npos) {
      if (ParseUIRect(value, &rc))
        SetBorderSize(rc);
    } else if (ParseUIInt(value, &n)) {
      SetBorderSize(n);
    }
  } else if (name == "borderround") {
    if (ParseUISize(value, &sz))
      SetBorderRound(sz);
  } else if (name == "bkimage") {
    SetBkImage(value);
  } else if (name == "foreimage") {
    SetForeImage(value);
  } else if (name == "width") {
    if (ParseUIInt(value, &n))
      SetFixedWidth(n);
  } else if (name == "height") {
    if (ParseUIInt(value, &n))
      SetFixedHeight(n);
  } else if (name == "minwidth") {
    if (ParseUIInt(value, &n))
      SetMinWidth(n);
  } else if (name == "minheight") {
    if (ParseUIInt(value, &n))
      SetMinHeight(n);
  } else if (name == "maxwidth") {
    if (ParseUIInt(value, &n))
      SetMaxWidth(n);
  } else if (name == "maxheight") {
    if (ParseUIInt(value, &n))
      SetMaxHeight(n);
  } else if (name == "name") {
    SetName(value);
  } else if (name == "text") {
    SetText(value);
  } else if (name == "tooltip") {
    SetToolTip(value);
  } else if (name == "userdata") {
    SetUserData(value);
  } else if (name == "tag") {
    if (ParseUIInt(value, &n))
      SetTag(static_cast<uintptr_t>(n));
  } else if (name == "enabled") {
    SetEnabled(ParseUIBool(value));
  } else if (name == "mouse") {
    SetMouseEnabled(ParseUIBool(value));
  } else if (name == "keyboard") {
    SetKeyboardEnabled(ParseUIBool(value));
  } else if (name == "visible") {
    SetVisible(ParseUIBool(value));
  } else if (name == "float") {
    SetFloat(ParseUIBool(value));
  } else if (name == "virtualwnd") {
    SetVirtualWnd(value);
  } else if (name == "style") {
    const std::string* list = nullptr;
    if (manager_ != nullptr)
      list = manager_->GetStyle(value);
    else if (UIApplication* app = UIApplication::Instance())
      list = app->GetSharedStyle(value);
    if (list != nullptr)
      ApplyAttributeList(*list);
  } else {
    return false;
  }
  return true;
}

std::vector<std::string> CControlUI::ApplyAttributeList(const std::string& list) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::vector<std::string> unknown;
  ParseAttributeList(list, &pairs);
  for (const auto& [name, value] : pairs) {
    if (!SetAttribute(name, value))
      unknown.push_back(name);
  }
  return unknown;
}

void CControlUI::Event(TEventUI& event) {
  if (IsMouseEvent(event.type) && !mouseEnabled_) {
    if (parent_ != nullptr)
      parent_->Event(event);
    return;
  }
  DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.type) {
    case UIEventType::kSetFocus:
      state_ |= UIState::kFocused;
      Invalidate();
      return;
    case UIEventType::kKillFocus:
      state_ &= ~UIState::kFocused;
      Invalidate();
      return;
    case UIEventType::kTimer:
      Notify(UINotify::kTimer, event.chKey, 0);
      return;
    case UIEventType::kButtonDown:
    case UIEventType::kButtonUp:
    case UIEventType::kDblClick:
    case UIEventType::kRButtonDown:
    case UIEventType::kScrollWheel:
    case UIEventType::kKeyDown:
    case UIEventType::kChar:
      // Unused input bubbles up: a click on a label inside a list row selects the row.
      if (parent_ != nullptr)
        parent_->DoEvent(event);
      return;
    default:
      return;
  }
}

bool CControlUI::Activate() {
  return IsVisible() && IsEnabled();
}

bool CControlUI::SetTimer(int id, int elapseMs) {
  return manager_ != nullptr && manager_->SetTimer(this, id, elapseMs);
}

void CControlUI::KillTimer(int id) {
  if (manager_ != nullptr)
    manager_->KillTimer(this, id);
}

void CControlUI::KillTimers() {
  if (manager_ != nullptr)
    manager_->KillTimers(this);
}

void CControlUI::Invalidate() {
  if (manager_ != nullptr && IsVisible())
    manager_->Invalidate(rcItem_);
}

void CControlUI::NeedUpdate() {
  updateNeeded_ = true;
  if (manager_ != nullptr)
    manager_->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
  if (parent_ != nullptr)
    parent_->NeedUpdate();
  else
    NeedUpdate();
}

void CControlUI::Notify(const char* type, uintptr_t wParam, intptr_t lParam) {
  if (manager_ != nullptr)
    manager_->SendNotify(this, type, wParam, lParam);
}

void CControlUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  if (!rcItem_.Intersects(rcPaint))
    return;
  if (borderRound_.cx > 0 && borderRound_.cy > 0) {
    // Everything of a rounded control stays inside its rounded outline.
    UIClipScope clip(render, rcItem_, borderRound_);
    PaintBkColor(render);
    PaintBkImage(render);
    PaintStatusImage(render);
    PaintText(render);
    PaintBorder(render);
    return;
  }
  PaintBkColor(render);
  PaintBkImage(render);
  PaintStatusImage(render);
  PaintText(render);
  PaintBorder(render);
}

void CControlUI::PaintBkColor(CRenderUI& render) {
  if ((bkColor_ >> 24) == 0)
    return;
  if ((bkColor2_ >> 24) != 0) {
    render.FillGradient(rcItem_, bkColor_, bkColor2_);
  } else if (borderRound_.cx > 0) {
    render.FillRoundRect(rcItem_, borderRound_, bkColor_);
  } else {
    render.FillRect(rcItem_, bkColor_);
  }
}

void CControlUI::PaintBkImage(CRenderUI& render) {
  DrawImage(render, bkImage_);
}

void CControlUI::PaintStatusImage(CRenderUI& /*render*/) {}

void CControlUI::PaintText(CRenderUI& /*render*/) {}

void CControlUI::PaintBorder(CRenderUI& render) {
  UIColor color = borderColor_;
  if (IsFocused() && (focusBorderColor_ >> 24) != 0)
    color = focusBorderColor_;
  if ((color >> 24) == 0)
    return;
  const UIRect& b = borderSize_;
  if (b.left == 0 && b.top == 0 && b.right == 0 && b.bottom == 0)
    return;
  if (b.left == b.top && b.left == b.right && b.left == b.bottom) {
    if (borderRound_.cx > 0)
      render.DrawRoundRect(rcItem_, b.left, borderRound_, color);
    else
      render.DrawRect(rcItem_, b.left, color);
    return;
  }
  const UIRect& r = rcItem_;
  if (b.left > 0)
    render.FillRect(UIRect{r.left, r.top, r.left + b.left, r.bottom}, color);
  if (b.top > 0)
    render.FillRect(UIRect{r.left, r.top, r.right, r.top + b.top}, color);
  if (b.right > 0)
    render.FillRect(UIRect{r.right - b.right, r.top, r.right, r.bottom}, color);
  if (b.bottom > 0)
    render.FillRect(UIRect{r.left, r.bottom - b.bottom, r.right, r.bottom}, color);
}

bool CControlUI::DrawImage(CRenderUI& render, const std::string& image) {
  if (image.empty())
    return false;
  return render.DrawImage(rcItem_, rcItem_, image);
}

}  // namespace zbe
