#include "ui/ListUI.h"

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {

// --- CListHeaderItemUI
// ----------------------------------------------------------------------------

CListHeaderItemUI::CListHeaderItemUI() {
  textStyle_ = UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis;
  textPadding_ = UIRect{8, 0, 8, 0};
  minWidth_ = 16;
}

std::string CListHeaderItemUI::GetClass() const {
  return "ListHeaderItemUI";
}

void* CListHeaderItemUI::GetInterface(std::string_view name) {
  if (name == "ListHeaderItem")
    return this;
  return CButtonUI::GetInterface(name);
}

bool CListHeaderItemUI::InSeparator(UIPoint pt) const {
  return dragable_ && fixedWidth_ > 0 && pt.y >= rcItem_.top && pt.y < rcItem_.bottom &&
         pt.x >= rcItem_.right - sepWidth_ && pt.x < rcItem_.right;
}

bool CListHeaderItemUI::Activate() {
  if (!CControlUI::Activate())
    return false;
  Notify(UINotify::kHeaderClick);
  return true;
}

void CListHeaderItemUI::DoEvent(TEventUI& event) {
  switch (event.type) {
    case UIEventType::kButtonDown:
      if (InSeparator(event.ptMouse)) {
        dragStartX_ = event.ptMouse.x;
        dragStartWidth_ = fixedWidth_;
        return;
      }
      break;
    case UIEventType::kMouseMove: {
      if (dragStartX_ >= 0) {
        const int w = std::max(minWidth_, dragStartWidth_ + event.ptMouse.x - dragStartX_);
        SetFixedWidth(w);
        return;
      }
      const bool sep = InSeparator(event.ptMouse);
      if (sep != sepHot_) {
        sepHot_ = sep;
        if (manager_ != nullptr)
          manager_->SetCursor(GetCursor());
      }
      break;
    }
    case UIEventType::kButtonUp:
      if (dragStartX_ >= 0) {
        dragStartX_ = -1;
        state_ &= ~(UIState::kPushed | UIState::kCaptured);
        Invalidate();
        return;
      }
      break;
    case UIEventType::kMouseLeave:
      sepHot_ = false;
      break;
    default:
      break;
  }
  CButtonUI::DoEvent(event);
}

void CListHeaderItemUI::PaintStatusImage(CRenderUI& render) {
  CButtonUI::PaintStatusImage(render);
}

void CListHeaderItemUI::PaintBorder(CRenderUI& render) {
  CButtonUI::PaintBorder(render);
  if ((sepColor_ >> 24) != 0 && rcItem_.Width() > 1) {
    // A short separator line, inset from the header's top and bottom.
    const int inset = rcItem_.Height() / 4;
    render.FillRect(
        UIRect{rcItem_.right - 1, rcItem_.top + inset, rcItem_.right, rcItem_.bottom - inset},
        sepColor_);
  }
}

bool CListHeaderItemUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  UIColor c = 0;
  if (name == "dragable") {
    dragable_ = ParseUIBool(value);
  } else if (name == "sepwidth") {
    if (ParseUIInt(value, &n))
      sepWidth_ = std::max(0, n);
  } else if (name == "sepcolor") {
    if (ParseUIColor(value, &c))
      sepColor_ = c;
  } else if (name == "sepimage") {
    // Drawn like a fore image over the item's right edge.
    SetForeImage(value);
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  return true;
}

// --- CListHeaderUI
// --------------------------------------------------------------------------------

CListHeaderUI::CListHeaderUI() {
  fixedHeight_ = 32;
  visible_ = false;  // shown once it has an item
}

std::string CListHeaderUI::GetClass() const {
  return "ListHeaderUI";
}

void* CListHeaderUI::GetInterface(std::string_view name) {
  if (name == "ListHeader")
    return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

int CListHeaderUI::GetRequiredWidth() const {
  int w = inset_.left + inset_.right;
  int count = 0;
  for (const auto& item : items_) {
    if (!item->IsOwnVisible())
      continue;
    const UIRect& p = item->GetPadding();
    w += (item->GetFixedWidth() > 0 ? item->GetFixedWidth() : item->GetMinWidth()) + p.left +
         p.right;
    ++count;
  }
  if (count > 1)
    w += childPadding_ * (count - 1);
  return w;
}

}  // namespace zbe
