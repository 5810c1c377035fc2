#include "ui/ContainerUI.h"

#include <algorithm>
#include <iterator>

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/ScrollBarUI.h"

namespace zbe {
namespace {

constexpr int kDefaultWheelStep = 48;

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  // Children first, while this container is still whole for their clean-up.
  items_.clear();
  vscroll_.reset();
  hscroll_.reset();
}

std::string CContainerUI::GetClass() const {
  return "ContainerUI";
}

void* CContainerUI::GetInterface(std::string_view name) {
  if (name == "Container")
    return this;
  return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size()))
    return nullptr;
  return items_[index].get();
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == control)
      return static_cast<int>(i);
  }
  return -1;
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
  int from = CContainerUI::GetItemIndex(control);
  if (from < 0)
    return false;
  index = std::clamp(index, 0, static_cast<int>(items_.size()) - 1);
  auto owned = std::move(items_[from]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + index, std::move(owned));
  NeedUpdate();
  return true;
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> control) {
  return CContainerUI::AddAt(std::move(control), static_cast<int>(items_.size()));
}

bool CContainerUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
  if (!control)
    return false;
  CControlUI* raw = control.get();
  index = std::clamp(index, 0, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + index, std::move(control));
  raw->SetManager(manager_, this, true);
  if (!IsVisible())
    raw->SetInternVisible(false);
  NeedUpdate();
  return true;
}

bool CContainerUI::AddRangeAt(std::vector<std::unique_ptr<CControlUI>> controls, int index) {
  for (const auto& control : controls) {
    if (!control)
      return false;
  }
  index = std::clamp(index, 0, static_cast<int>(items_.size()));
  const auto first =
      items_.insert(items_.begin() + index, std::make_move_iterator(controls.begin()),
                    std::make_move_iterator(controls.end()));
  for (auto it = first; it != first + static_cast<std::ptrdiff_t>(controls.size()); ++it) {
    (*it)->SetManager(manager_, this, true);
    if (!IsVisible())
      (*it)->SetInternVisible(false);
  }
  NeedUpdate();
  return true;
}

std::unique_ptr<CControlUI> CContainerUI::TakeAt(int index) {
  std::unique_ptr<CControlUI> owned = std::move(items_[index]);
  items_.erase(items_.begin() + index);
  if (manager_ != nullptr)
    manager_->ReapObjects(owned.get());
  owned->SetManager(nullptr, nullptr, false);
  return owned;
}

bool CContainerUI::Remove(CControlUI* control) {
  int index = CContainerUI::GetItemIndex(control);
  if (index < 0)
    return false;
  return CContainerUI::RemoveAt(index);
}

bool CContainerUI::RemoveAt(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size()))
    return false;
  CPaintManagerUI* manager = manager_;
  std::unique_ptr<CControlUI> owned = TakeAt(index);
  if (manager != nullptr)
    manager->AddDelayedCleanup(std::move(owned));
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  if (items_.empty())
    return;
  std::vector<std::unique_ptr<CControlUI>> old;
  old.swap(items_);
  for (auto& owned : old) {
    if (manager_ != nullptr) {
      manager_->ReapObjects(owned.get());
      owned->SetManager(nullptr, nullptr, false);
      manager_->AddDelayedCleanup(std::move(owned));
    }
  }
  NeedUpdate();
}

std::unique_ptr<CControlUI> CContainerUI::Detach(CControlUI* control) {
  int index = CContainerUI::GetItemIndex(control);
  if (index < 0)
    return nullptr;
  std::unique_ptr<CControlUI> owned = TakeAt(index);
  NeedUpdate();
  return owned;
}

void CContainerUI::SetInset(const UIRect& inset) {
  inset_ = inset;
  NeedUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
  childPadding_ = std::max(0, padding);
  NeedUpdate();
}

void CContainerUI::SetMouseChildEnabled(bool enabled) {
  mouseChildEnabled_ = enabled;
}

UIRect CContainerUI::GetInnerRect() const {
  UIRect r = rcItem_.Deflate(inset_);
  if (vscroll_ && vscroll_->IsVisible())
    r.right -= vscroll_->GetThickness();
  if (hscroll_ && hscroll_->IsVisible())
    r.bottom -= hscroll_->GetThickness();
  if (r.right < r.left)
    r.right = r.left;
  if (r.bottom < r.top)
    r.bottom = r.top;
  return r;
}

void CContainerUI::AttachScrollBar(CScrollBarUI* bar, const std::string& style) {
  bar->SetOwner(this);
  bar->SetManager(manager_, this, true);
  if (manager_ != nullptr) {
    if (const std::string* defaults = manager_->GetDefaultAttributeList("ScrollBar")) {
      bar->ApplyAttributeList(*defaults);
    }
  }
  if (!style.empty())
    bar->ApplyAttributeList(style);
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
  if (vertical && !vscroll_) {
    vscroll_ = std::make_unique<CScrollBarUI>();
    vscroll_->SetShown(false);
    AttachScrollBar(vscroll_.get(), vscrollStyle_);
  } else if (!vertical && vscroll_) {
    if (manager_ != nullptr)
      manager_->ReapObjects(vscroll_.get());
    vscroll_.reset();
  }
  if (horizontal && !hscroll_) {
    hscroll_ = std::make_unique<CScrollBarUI>();
    hscroll_->SetHorizontal(true);
    hscroll_->SetShown(false);
    AttachScrollBar(hscroll_.get(), hscrollStyle_);
  } else if (!horizontal && hscroll_) {
    if (manager_ != nullptr)
      manager_->ReapObjects(hscroll_.get());
    hscroll_.reset();
  }
  NeedUpdate();
}

UISize CContainerUI::GetScrollPos() const {
  UISize s;
  if (vscroll_ && vscroll_->IsVisible())
    s.cy = vscroll_->GetScrollPos();
  if (hscroll_ && hscroll_->IsVisible())
    s.cx = hscroll_->GetScrollPos();
  return s;
}

UISize CContainerUI::GetScrollRange() const {
  UISize s;
  if (vscroll_ && vscroll_->IsVisible())
    s.cy = vscroll_->GetScrollRange();
  if (hscroll_ && hscroll_->IsVisible())
    s.cx = hscroll_->GetScrollRange();
  return s;
}

void CContainerUI::SetScrollPos(UISize pos) {
  UISize old = GetScrollPos();
  UISize range = GetScrollRange();
  pos.cx = std::clamp(pos.cx, 0, range.cx);
  pos.cy = std::clamp(pos.cy, 0, range.cy);
  if (pos == old)
    return;
  if (vscroll_ && vscroll_->IsVisible())
    vscroll_->SetPosValue(pos.cy);
  if (hscroll_ && hscroll_->IsVisible())
    hscroll_->SetPosValue(pos.cx);
  // Only this container's content moves: lay it out at its own place again.
  SetPos(rcItem_);
  Invalidate();
  Notify(UINotify::kScroll, static_cast<uintptr_t>(pos.cy), pos.cx);
}

void CContainerUI::LineUp() {
  int step = scrollStep_ > 0 ? scrollStep_ : (vscroll_ ? vscroll_->GetLineSize() : 20);
  SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy - step});
}

void CContainerUI::LineDown() {
  int step = scrollStep_ > 0 ? scrollStep_ : (vscroll_ ? vscroll_->GetLineSize() : 20);
  SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy + step});
}

void CContainerUI::PageUp() {
  int page = std::max(1, GetInnerRect().Height() - 20);
  SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy - page});
}

void CContainerUI::PageDown() {
  int page = std::max(1, GetInnerRect().Height() - 20);
  SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy + page});
}

void CContainerUI::HomeUp() {
  SetScrollPos(UISize{GetScrollPos().cx, 0});
}

void CContainerUI::EndDown() {
  SetScrollPos(UISize{GetScrollPos().cx, GetScrollRange().cy});
}

void CContainerUI::LineLeft() {
  int step = hscroll_ ? hscroll_->GetLineSize() : 20;
  SetScrollPos(UISize{GetScrollPos().cx - step, GetScrollPos().cy});
}

void CContainerUI::LineRight() {
  int step = hscroll_ ? hscroll_->GetLineSize() : 20;
  SetScrollPos(UISize{GetScrollPos().cx + step, GetScrollPos().cy});
}

bool CContainerUI::ScrollForKey(uint32_t key) {
  switch (key) {
    case UIKey::kUp:
      LineUp();
      return true;
    case UIKey::kDown:
      LineDown();
      return true;
    case UIKey::kPrior:
      PageUp();
      return true;
    case UIKey::kNext:
      PageDown();
      return true;
    case UIKey::kHome:
      HomeUp();
      return true;
    case UIKey::kEnd:
      EndDown();
      return true;
    default:
      return false;
  }
}

void CContainerUI::ScrollIntoView(const UIRect& rc) {
  UIRect inner = GetInnerRect();
  UISize pos = GetScrollPos();
  if (rc.top < inner.top)
    pos.cy -= inner.top - rc.top;
  else if (rc.bottom > inner.bottom)
    pos.cy += std::min(rc.bottom - inner.bottom, rc.top - inner.top);
  if (rc.left < inner.left)
    pos.cx -= inner.left - rc.left;
  else if (rc.right > inner.right)
    pos.cx += std::min(rc.right - inner.right, rc.left - inner.left);
  SetScrollPos(pos);
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  const bool firstAttach = manager != nullptr && manager_ == nullptr;
  CControlUI::SetManager(manager, parent, init);
  for (auto& item : items_)
    item->SetManager(manager, this, init);
  if (vscroll_) {
    if (firstAttach)
      AttachScrollBar(vscroll_.get(), vscrollStyle_);
    else
      vscroll_->SetManager(manager, this, init);
  }
  if (hscroll_) {
    if (firstAttach)
      AttachScrollBar(hscroll_.get(), hscrollStyle_);
    else
      hscroll_->SetManager(manager, this, init);
  }
}

CControlUI* CContainerUI::FindControl(FindControlProc proc, void* data, uint32_t flags) {
  if ((flags & UIFind::kVisible) && !IsVisible())
    return nullptr;
  if ((flags & UIFind::kEnabled) && !IsEnabled())
    return nullptr;
  const bool hitTest = (flags & UIFind::kHitTest) != 0;
  UIPoint pt;
  if (hitTest) {
    pt = *static_cast<UIPoint*>(data);
    if (!rcItem_.Contains(pt))
      return nullptr;
    // A container that keeps the mouse from its children (or is disabled) is hit itself.
    if (!mouseChildEnabled_ || !IsEnabled())
      return proc(this, data);
  }
  if (flags & UIFind::kMeFirst) {
    if (CControlUI* r = proc(this, data))
      return r;
  }
  if (vscroll_) {
    if (CControlUI* r = vscroll_->FindControl(proc, data, flags))
      return r;
  }
  if (hscroll_) {
    if (CControlUI* r = hscroll_->FindControl(proc, data, flags))
      return r;
  }
  const UIRect inner = GetInnerRect();
  const int n = static_cast<int>(items_.size());
  for (int k = 0; k < n; ++k) {
    int i = (flags & UIFind::kTopFirst) ? n - 1 - k : k;
    CControlUI* child = items_[i].get();
    if (hitTest && !child->IsFloat() && !inner.Contains(pt))
      continue;
    if (CControlUI* r = child->FindControl(proc, data, flags))
      return r;
  }
  if (flags & UIFind::kMeFirst)
    return nullptr;
  return proc(this, data);
}

void CContainerUI::SetPos(const UIRect& rc) {
  CControlUI::SetPos(rc);
  for (int pass = 0; pass < 3; ++pass) {
    // Children are laid out in the visible width; what sticks out scrolls.
    const UISize scroll = GetScrollPos();
    const UIRect area = GetInnerRect().Offset(-scroll.cx, -scroll.cy);
    UISize need = LayoutChildren(area);
    if (!ProcessScrollBar(rcItem_, need.cx, need.cy))
      break;
  }
}

UISize CContainerUI::LayoutChildren(const UIRect& inner) {
  PlaceFloatingChildren();
  for (CControlUI* c : FlowChildren()) {
    const UIRect& p = c->GetPadding();
    UIRect r = inner.Deflate(p);
    UISize sz = c->EstimateSize(UISize{r.Width(), r.Height()});
    int w = sz.cx > 0 ? sz.cx : r.Width();
    int h = sz.cy > 0 ? sz.cy : r.Height();
    w = std::clamp(w, c->GetMinWidth(), std::max(c->GetMinWidth(), c->GetMaxWidth()));
    h = std::clamp(h, c->GetMinHeight(), std::max(c->GetMinHeight(), c->GetMaxHeight()));
    c->SetPos(UIRect{r.left, r.top, r.left + w, r.top + h});
  }
  return UISize{inner.Width(), inner.Height()};
}

void CContainerUI::PlaceFloatingChildren() {
  for (auto& item : items_) {
    if (item->IsVisible() && item->IsFloat())
      SetFloatPos(item.get());
  }
}

std::vector<CControlUI*> CContainerUI::FlowChildren() const {
  std::vector<CControlUI*> flow;
  for (const auto& item : items_) {
    if (item->IsVisible() && !item->IsFloat())
      flow.push_back(item.get());
  }
  return flow;
}

void CContainerUI::SetFloatPos(CControlUI* child) {
  UISize xy = child->GetFixedXY();
  UISize sz = child->EstimateSize(UISize{rcItem_.Width(), rcItem_.Height()});
  int w = sz.cx > 0 ? sz.cx : child->GetFixedWidth();
  int h = sz.cy > 0 ? sz.cy : child->GetFixedHeight();
  w = std::clamp(w, child->GetMinWidth(), std::max(child->GetMinWidth(), child->GetMaxWidth()));
  h = std::clamp(h, child->GetMinHeight(), std::max(child->GetMinHeight(), child->GetMaxHeight()));
  int x = rcItem_.left + xy.cx;
  int y = rcItem_.top + xy.cy;
  child->SetPos(UIRect{x, y, x + w, y + h});
}

bool CContainerUI::ProcessScrollBar(const UIRect& rc, int cxRequired, int cyRequired) {
  bool changed = false;
  const UIRect box = rc.Deflate(inset_);
  const bool vWas = vscroll_ && vscroll_->IsVisible();
  const bool hWas = hscroll_ && hscroll_->IsVisible();
  if (vscroll_) {
    int avail = box.Height() - (hWas ? hscroll_->GetThickness() : 0);
    if (cyRequired > avail && avail > 0) {
      if (!vWas)
        changed = true;
      vscroll_->SetShown(true);
      vscroll_->SetScrollRange(cyRequired - avail);
    } else {
      if (vWas)
        changed = true;
      vscroll_->SetShown(false);
      vscroll_->SetScrollRange(0);
    }
  }
  if (hscroll_) {
    const bool vNow = vscroll_ && vscroll_->IsVisible();
    int avail = box.Width() - (vNow ? vscroll_->GetThickness() : 0);
    if (cxRequired > avail && avail > 0) {
      int range = cxRequired - avail;
      if (!hWas || hscroll_->GetScrollRange() != range)
        changed = true;
      hscroll_->SetShown(true);
      hscroll_->SetScrollRange(range);
    } else {
      if (hWas)
        changed = true;
      hscroll_->SetShown(false);
      hscroll_->SetScrollRange(0);
    }
  }
  const bool vNow = vscroll_ && vscroll_->IsVisible();
  const bool hNow = hscroll_ && hscroll_->IsVisible();
  if (vscroll_) {
    int t = vscroll_->GetThickness();
    vscroll_->SetPos(UIRect{box.right - t, box.top, box.right,
                            box.bottom - (hNow ? hscroll_->GetThickness() : 0)});
  }
  if (hscroll_) {
    int t = hscroll_->GetThickness();
    hscroll_->SetPos(UIRect{box.left, box.bottom - t,
                            box.right - (vNow ? vscroll_->GetThickness() : 0), box.bottom});
  }
  return changed;
}

void CContainerUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  UIRect visible = rcItem_.Intersect(rcPaint);
  if (visible.IsEmpty())
    return;
  UIClipScope clip(render, rcItem_, borderRound_);
  PaintBkColor(render);
  PaintBkImage(render);
  PaintStatusImage(render);
  PaintText(render);
  PaintChildren(render, rcPaint);
  if (vscroll_ && vscroll_->IsVisible())
    vscroll_->Paint(render, rcPaint);
  if (hscroll_ && hscroll_->IsVisible())
    hscroll_->Paint(render, rcPaint);
  PaintBorder(render);
}

void CContainerUI::PaintChildren(CRenderUI& render, const UIRect& rcPaint) {
  const UIRect inner = GetInnerRect().Intersect(rcPaint);
  for (auto& item : items_) {
    CControlUI* c = item.get();
    if (!c->IsVisible())
      continue;
    if (c->IsFloat()) {
      if (!c->GetPos().Intersects(rcPaint))
        continue;
      c->Paint(render, rcPaint);
      continue;
    }
    if (inner.IsEmpty() || !c->GetPos().Intersects(inner))
      continue;
    UIClipScope childClip(render, inner);
    c->Paint(render, inner);
  }
}

void CContainerUI::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  CControlUI::SetVisible(visible);
  for (auto& item : items_)
    item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  for (auto& item : items_)
    item->SetInternVisible(IsVisible());
}

bool CContainerUI::SetAttribute(const std::string& name, const std::string& value) {
  UIRect rc;
  int n = 0;
  if (name == "inset") {
    if (ParseUIRect(value, &rc))
      SetInset(rc);
  } else if (name == "childpadding") {
    if (ParseUIInt(value, &n))
      SetChildPadding(n);
  } else if (name == "mousechild") {
    SetMouseChildEnabled(ParseUIBool(value));
  } else if (name == "vscrollbar") {
    EnableScrollBar(ParseUIBool(value), hscroll_ != nullptr);
  } else if (name == "hscrollbar") {
    EnableScrollBar(vscroll_ != nullptr, ParseUIBool(value));
  } else if (name == "vscrollbarstyle") {
    vscrollStyle_ = value;
    if (vscroll_)
      vscroll_->ApplyAttributeList(value);
  } else if (name == "hscrollbarstyle") {
    hscrollStyle_ = value;
    if (hscroll_)
      hscroll_->ApplyAttributeList(value);
  } else if (name == "scrollstepsize") {
    if (ParseUIInt(value, &n))
      SetScrollStepSize(n);
  } else if (name == "autoheight") {
    autoHeight_ = ParseUIBool(value);
    NeedParentUpdate();
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

void CContainerUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kScrollWheel && vscroll_ && vscroll_->IsVisible() && IsEnabled()) {
    int step = scrollStep_ > 0 ? scrollStep_ : kDefaultWheelStep;
    int notches = event.wheelDelta / 120;
    if (notches == 0)
      notches = event.wheelDelta > 0 ? 1 : -1;
    SetScrollPos(UISize{GetScrollPos().cx, GetScrollPos().cy - notches * step});
    return;
  }
  CControlUI::DoEvent(event);
}

UISize CContainerUI::EstimateSize(UISize available) {
  if (!autoHeight_ || fixedHeight_ > 0)
    return CControlUI::EstimateSize(available);
  int w = (fixedWidth_ > 0 ? fixedWidth_ : available.cx) - inset_.left - inset_.right;
  int h = 0;
  for (CControlUI* c : FlowChildren()) {
    const UIRect& p = c->GetPadding();
    UISize sz = c->EstimateSize(UISize{w - p.left - p.right, 0});
    h = std::max(h, sz.cy + p.top + p.bottom);
  }
  return UISize{fixedWidth_, h + inset_.top + inset_.bottom};
}

}  // namespace zbe
