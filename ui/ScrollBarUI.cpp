#include "ui/ScrollBarUI.h"

#include "ui/AttributeValues.h"
#include "ui/ContainerUI.h"
#include "ui/RenderUI.h"

namespace zbe {
namespace {

constexpr int kMinThumb = 24;

}  // namespace

CScrollBarUI::CScrollBarUI() = default;

std::string CScrollBarUI::GetClass() const {
  return "ScrollBarUI";
}

void* CScrollBarUI::GetInterface(std::string_view name) {
  if (name == "ScrollBar")
    return this;
  return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  Invalidate();
}

void CScrollBarUI::SetThickness(int px) {
  thickness_ = std::max(2, px);
  NeedParentUpdate();
}

void CScrollBarUI::SetScrollRange(int range) {
  range_ = std::max(0, range);
  pos_ = std::clamp(pos_, 0, range_);
  Invalidate();
}

void CScrollBarUI::SetPosValue(int pos) {
  pos = std::clamp(pos, 0, range_);
  if (pos == pos_)
    return;
  pos_ = pos;
  Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
  pos = std::clamp(pos, 0, range_);
  if (owner_ != nullptr) {
    UISize p = owner_->GetScrollPos();
    if (horizontal_)
      p.cx = pos;
    else
      p.cy = pos;
    owner_->SetScrollPos(p);
    return;
  }
  SetPosValue(pos);
}

void CScrollBarUI::SetPos(const UIRect& rc) {
  CControlUI::SetPos(rc);
}

UIRect CScrollBarUI::ButtonRect(int which) const {
  if (!showButtons_)
    return UIRect{};
  const UIRect& r = rcItem_;
  if (horizontal_) {
    const int w = std::min(r.Height(), r.Width() / 2);
    return which == 1 ? UIRect{r.left, r.top, r.left + w, r.bottom}
                      : UIRect{r.right - w, r.top, r.right, r.bottom};
  }
  const int h = std::min(r.Width(), r.Height() / 2);
  return which == 1 ? UIRect{r.left, r.top, r.right, r.top + h}
                    : UIRect{r.left, r.bottom - h, r.right, r.bottom};
}

UIRect CScrollBarUI::RailRect() const {
  UIRect r = rcItem_;
  if (showButtons_) {
    if (horizontal_) {
      r.left = ButtonRect(1).right;
      r.right = ButtonRect(2).left;
    } else {
      r.top = ButtonRect(1).bottom;
      r.bottom = ButtonRect(2).top;
    }
  }
  return r;
}

UIRect CScrollBarUI::GetThumbRect() const {
  const UIRect rail = RailRect();
  const int length = horizontal_ ? rail.Width() : rail.Height();
  if (length <= 0)
    return UIRect{};
  // The rail shows one page of "length" out of "length + range".
  int thumb =
      static_cast<int>(static_cast<int64_t>(length) * length / std::max(1, length + range_));
  thumb = std::clamp(thumb, std::min(kMinThumb, length), length);
  const int travel = length - thumb;
  const int offset =
      range_ > 0 ? static_cast<int>(static_cast<int64_t>(travel) * pos_ / range_) : 0;
  if (horizontal_)
    return UIRect{rail.left + offset, rail.top, rail.left + offset + thumb, rail.bottom};
  return UIRect{rail.left, rail.top + offset, rail.right, rail.top + offset + thumb};
}

void CScrollBarUI::MovePos(int delta) {
  SetScrollPos(pos_ + delta);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
  const UIPoint pt = event.ptMouse;
  switch (event.type) {
    case UIEventType::kButtonDown:
    case UIEventType::kDblClick: {
      if (!IsEnabled())
        return;
      const UIRect thumb = GetThumbRect();
      const int page =
          std::max(1, (horizontal_ ? RailRect().Width() : RailRect().Height()) - lineSize_);
      if (ButtonRect(1).Contains(pt)) {
        pressedPart_ = 1;
        MovePos(-lineSize_);
      } else if (ButtonRect(2).Contains(pt)) {
        pressedPart_ = 2;
        MovePos(lineSize_);
      } else if (thumb.Contains(pt)) {
        pressedPart_ = 4;
        dragOffset_ = horizontal_ ? pt.x - thumb.left : pt.y - thumb.top;
      } else {
        pressedPart_ = 3;
        const bool before = horizontal_ ? pt.x < thumb.left : pt.y < thumb.top;
        MovePos(before ? -page : page);
      }
      Invalidate();
      return;
    }
    case UIEventType::kMouseMove: {
      if (pressedPart_ == 4 && dragOffset_ >= 0) {
        const UIRect rail = RailRect();
        const UIRect thumb = GetThumbRect();
        const int length = horizontal_ ? rail.Width() : rail.Height();
        const int thumbLen = horizontal_ ? thumb.Width() : thumb.Height();
        const int travel = std::max(1, length - thumbLen);
        const int at = (horizontal_ ? pt.x - rail.left : pt.y - rail.top) - dragOffset_;
        SetScrollPos(static_cast<int>(static_cast<int64_t>(at) * range_ / travel));
        return;
      }
      const bool hot = GetThumbRect().Contains(pt);
      if (hot != thumbHot_) {
        thumbHot_ = hot;
        Invalidate();
      }
      return;
    }
    case UIEventType::kButtonUp:
      pressedPart_ = 0;
      dragOffset_ = -1;
      Invalidate();
      return;
    case UIEventType::kMouseLeave:
      if (thumbHot_) {
        thumbHot_ = false;
        Invalidate();
      }
      return;
    case UIEventType::kScrollWheel:
      if (owner_ != nullptr)
        owner_->DoEvent(event);
      return;
    default:
      CControlUI::DoEvent(event);
  }
}

void CScrollBarUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  if (!rcItem_.Intersects(rcPaint))
    return;
  if (!railImage_.empty())
    render.DrawImage(rcItem_, rcPaint, railImage_);
  else
    render.FillRect(rcItem_, railColor_);
  if (showButtons_) {
    render.DrawImage(ButtonRect(1), rcPaint, button1Image_);
    render.DrawImage(ButtonRect(2), rcPaint, button2Image_);
  }
  if (range_ <= 0)
    return;
  const UIRect thumb = GetThumbRect();
  const std::string* image = &thumbImage_;
  UIColor color = thumbColor_;
  if (pressedPart_ == 4) {
    if (!thumbPushedImage_.empty())
      image = &thumbPushedImage_;
    color = thumbPushedColor_;
  } else if (thumbHot_) {
    if (!thumbHotImage_.empty())
      image = &thumbHotImage_;
    color = thumbHotColor_;
  }
  if (!image->empty()) {
    render.DrawImage(thumb, rcPaint, *image);
    return;
  }
  // A slim rounded thumb, inset from the rail's long edges.
  const int inset = std::max(1, thickness_ / 5);
  UIRect t = thumb;
  if (horizontal_) {
    t.top += inset;
    t.bottom -= inset;
    t.left += 1;
    t.right -= 1;
  } else {
    t.left += inset;
    t.right -= inset;
    t.top += 1;
    t.bottom -= 1;
  }
  const int r = horizontal_ ? t.Height() : t.Width();
  render.FillRoundRect(t, UISize{r, r}, color);
}

bool CScrollBarUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  UIColor c = 0;
  if (name == "hor")
    SetHorizontal(ParseUIBool(value));
  else if (name == "thickness" || (name == "width" && !horizontal_) ||
           (name == "height" && horizontal_)) {
    if (ParseUIInt(value, &n))
      SetThickness(n);
  } else if (name == "linesize") {
    if (ParseUIInt(value, &n))
      SetLineSize(n);
  } else if (name == "range") {
    if (ParseUIInt(value, &n))
      SetScrollRange(n);
  } else if (name == "value") {
    if (ParseUIInt(value, &n))
      SetPosValue(n);
  } else if (name == "showbutton1" || name == "showbutton2") {
    showButtons_ = ParseUIBool(value);
  } else if (name == "railcolor") {
    if (ParseUIColor(value, &c))
      railColor_ = c;
  } else if (name == "thumbcolor") {
    if (ParseUIColor(value, &c))
      thumbColor_ = c;
  } else if (name == "thumbhotcolor") {
    if (ParseUIColor(value, &c))
      thumbHotColor_ = c;
  } else if (name == "thumbpushedcolor") {
    if (ParseUIColor(value, &c))
      thumbPushedColor_ = c;
  } else if (name == "thumbnormalimage")
    thumbImage_ = value;
  else if (name == "thumbhotimage")
    thumbHotImage_ = value;
  else if (name == "thumbpushedimage")
    thumbPushedImage_ = value;
  else if (name == "railnormalimage" || name == "bknormalimage")
    railImage_ = value;
  else if (name == "button1normalimage")
    button1Image_ = value;
  else if (name == "button2normalimage")
    button2Image_ = value;
  else
    return CControlUI::SetAttribute(name, value);
  Invalidate();
  return true;
}

}  // namespace zbe
