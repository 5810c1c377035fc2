#include "ui/ButtonUI.h"

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {

CButtonUI::CButtonUI() {
  textStyle_ = UIText::kSingleLine | UIText::kVCenter | UIText::kCenter | UIText::kEndEllipsis;
}

std::string CButtonUI::GetClass() const {
  return "ButtonUI";
}

void* CButtonUI::GetInterface(std::string_view name) {
  if (name == "Button")
    return this;
  return CLabelUI::GetInterface(name);
}

bool CButtonUI::Activate() {
  if (!CControlUI::Activate())
    return false;
  Notify(UINotify::kClick);
  return true;
}

void CButtonUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (!enabled)
    state_ &= ~(UIState::kHot | UIState::kPushed | UIState::kCaptured);
}

void CButtonUI::SetNormalImage(const std::string& image) {
  normalImage_ = image;
  Invalidate();
}
void CButtonUI::SetHotImage(const std::string& image) {
  hotImage_ = image;
  Invalidate();
}
void CButtonUI::SetPushedImage(const std::string& image) {
  pushedImage_ = image;
  Invalidate();
}
void CButtonUI::SetFocusedImage(const std::string& image) {
  focusedImage_ = image;
  Invalidate();
}
void CButtonUI::SetDisabledImage(const std::string& image) {
  disabledImage_ = image;
  Invalidate();
}

void CButtonUI::DoEvent(TEventUI& event) {
  switch (event.type) {
    case UIEventType::kMouseEnter:
      if (IsEnabled()) {
        state_ |= UIState::kHot;
        Invalidate();
        if (hotNotify_)
          Notify(UINotify::kOnHot);
      }
      return;
    case UIEventType::kMouseLeave:
      if ((state_ & UIState::kHot) != 0) {
        state_ &= ~UIState::kHot;
        Invalidate();
        if (hotNotify_)
          Notify(UINotify::kOffHot);
      }
      return;
    case UIEventType::kButtonDown:
    case UIEventType::kDblClick:
      if (IsEnabled() && rcItem_.Contains(event.ptMouse)) {
        state_ |= UIState::kPushed | UIState::kCaptured;
        Invalidate();
      }
      return;
    case UIEventType::kMouseMove:
      if ((state_ & UIState::kCaptured) != 0) {
        const bool inside = rcItem_.Contains(event.ptMouse);
        const bool pushed = (state_ & UIState::kPushed) != 0;
        if (inside != pushed) {
          if (inside)
            state_ |= UIState::kPushed;
          else
            state_ &= ~UIState::kPushed;
          Invalidate();
        }
      }
      return;
    case UIEventType::kButtonUp:
      if ((state_ & UIState::kCaptured) != 0) {
        const bool click = rcItem_.Contains(event.ptMouse) && IsEnabled();
        state_ &= ~(UIState::kPushed | UIState::kCaptured);
        Invalidate();
        if (click)
          Activate();
      }
      return;
    case UIEventType::kKeyDown:
      if (IsEnabled() && (event.chKey == UIKey::kSpace || event.chKey == UIKey::kReturn)) {
        Activate();
        return;
      }
      break;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

UIColor CButtonUI::StateTextColor() const {
  if (!IsEnabled())
    return EffectiveTextColor();
  if ((state_ & UIState::kPushed) && pushedTextColor_ != 0)
    return pushedTextColor_;
  if ((state_ & (UIState::kHot | UIState::kPushed)) && hotTextColor_ != 0)
    return hotTextColor_;
  if ((state_ & UIState::kFocused) && focusedTextColor_ != 0)
    return focusedTextColor_;
  return EffectiveTextColor();
}

void CButtonUI::PaintBkColor(CRenderUI& render) {
  UIColor c = bkColor_;
  if (!IsEnabled()) {
    if (disabledBkColor_ != 0)
      c = disabledBkColor_;
  } else if ((state_ & UIState::kPushed) && pushedBkColor_ != 0) {
    c = pushedBkColor_;
  } else if ((state_ & (UIState::kHot | UIState::kPushed)) && hotBkColor_ != 0) {
    c = hotBkColor_;
  }
  if ((c >> 24) == 0)
    return;
  if (borderRound_.cx > 0)
    render.FillRoundRect(rcItem_, borderRound_, c);
  else if ((bkColor2_ >> 24) != 0 && c == bkColor_)
    render.FillGradient(rcItem_, c, bkColor2_);
  else
    render.FillRect(rcItem_, c);
}

void CButtonUI::PaintStatusImage(CRenderUI& render) {
  const std::string* image = &normalImage_;
  if (!IsEnabled()) {
    if (!disabledImage_.empty())
      image = &disabledImage_;
  } else if ((state_ & UIState::kPushed) && !pushedImage_.empty()) {
    image = &pushedImage_;
  } else if ((state_ & (UIState::kHot | UIState::kPushed)) && !hotImage_.empty()) {
    image = &hotImage_;
  } else if ((state_ & UIState::kFocused) && !focusedImage_.empty()) {
    image = &focusedImage_;
  }
  DrawImage(render, *image);
  const std::string* fore = &foreImage_;
  if (IsEnabled() && (state_ & UIState::kPushed) && !pushedForeImage_.empty()) {
    fore = &pushedForeImage_;
  } else if (IsEnabled() && (state_ & (UIState::kHot | UIState::kPushed)) &&
             !hotForeImage_.empty()) {
    fore = &hotForeImage_;
  }
  DrawImage(render, *fore);
}

void CButtonUI::PaintText(CRenderUI& render) {
  DrawLabelText(render, text_, StateTextColor());
}

void CButtonUI::PaintBorder(CRenderUI& render) {
  if (IsEnabled() && (state_ & UIState::kHot) && hotBorderColor_ != 0 && borderSize_.left > 0) {
    if (borderRound_.cx > 0)
      render.DrawRoundRect(rcItem_, borderSize_.left, borderRound_, hotBorderColor_);
    else
      render.DrawRect(rcItem_, borderSize_.left, hotBorderColor_);
    return;
  }
  CLabelUI::PaintBorder(render);
}

bool CButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  if (name == "normalimage")
    SetNormalImage(value);
  else if (name == "hotimage")
    SetHotImage(value);
  else if (name == "pushedimage")
    SetPushedImage(value);
  else if (name == "focusedimage")
    SetFocusedImage(value);
  else if (name == "disabledimage")
    SetDisabledImage(value);
  else if (name == "hotforeimage")
    hotForeImage_ = value;
  else if (name == "pushedforeimage")
    pushedForeImage_ = value;
  else if (name == "hottextcolor") {
    if (ParseUIColor(value, &c))
      hotTextColor_ = c;
  } else if (name == "pushedtextcolor") {
    if (ParseUIColor(value, &c))
      pushedTextColor_ = c;
  } else if (name == "focusedtextcolor") {
    if (ParseUIColor(value, &c))
      focusedTextColor_ = c;
  } else if (name == "hotbkcolor") {
    if (ParseUIColor(value, &c))
      hotBkColor_ = c;
  } else if (name == "pushedbkcolor") {
    if (ParseUIColor(value, &c))
      pushedBkColor_ = c;
  } else if (name == "disabledbkcolor") {
    if (ParseUIColor(value, &c))
      disabledBkColor_ = c;
  } else if (name == "hotbordercolor") {
    if (ParseUIColor(value, &c))
      hotBorderColor_ = c;
  } else if (name == "hotnotify") {
    SetHotNotify(ParseUIBool(value));
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

}  // namespace zbe
