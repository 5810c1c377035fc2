#include "ui/LayoutsUI.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"

namespace zbe {
namespace {

int ClampLen(int v, int lo, int hi) {
  return std::clamp(v, lo, std::max(lo, hi));
}

int ParseAlign(const std::string& v) {
  if (v == "center" || v == "vcenter")
    return 1;
  if (v == "right" || v == "bottom")
    return 2;
  return 0;
}

enum class Axis { kHorizontal, kVertical };

// Lengths along "axis" (the widths of a row's children, the heights of a column's) of the
// "flow" children sharing "total" pixels: a child whose "estimate" gives a length along the axis
// keeps it, within its limits; the others share what that, the paddings along the axis and
// "childPadding" between neighbours leave (DistributeLengths).
std::vector<int> ShareLengths(const std::vector<CControlUI*>& flow, Axis axis, int total,
                              int childPadding,
                              const std::function<UISize(CControlUI*)>& estimate) {
  const bool horizontal = axis == Axis::kHorizontal;
  const int n = static_cast<int>(flow.size());
  std::vector<int> fixed(n), minL(n), maxL(n), len(n);
  int used = n > 1 ? childPadding * (n - 1) : 0;
  for (int i = 0; i < n; ++i) {
    CControlUI* c = flow[i];
    const UIRect& p = c->GetPadding();
    const UISize sz = estimate(c);
    minL[i] = horizontal ? c->GetMinWidth() : c->GetMinHeight();
    maxL[i] = horizontal ? c->GetMaxWidth() : c->GetMaxHeight();
    const int wanted = horizontal ? sz.cx : sz.cy;
    fixed[i] = wanted > 0 ? ClampLen(wanted, minL[i], maxL[i]) : 0;
    used += (horizontal ? p.left + p.right : p.top + p.bottom) + fixed[i];
  }
  DistributeLengths(n, fixed.data(), minL.data(), maxL.data(), total - used, len.data());
  return len;
}

}  // namespace

void DistributeLengths(int count, const int* fixed, const int* minLen, const int* maxLen, int free,
                       int* out) {
  std::vector<bool> settled(count, false);
  int remaining = free;
  for (int i = 0; i < count; ++i) {
    if (fixed[i] > 0) {
      out[i] = fixed[i];
      settled[i] = true;
    }
  }
  for (;;) {
    int open = 0;
    for (int i = 0; i < count; ++i)
      open += settled[i] ? 0 : 1;
    if (open == 0)
      return;
    const int share = std::max(0, remaining) / open;
    // Pin the items whose limits the equal share breaks, smaller-than-min first; then share
    // again among the rest.
    bool pinned = false;
    for (int i = 0; i < count; ++i) {
      if (!settled[i] && share < minLen[i]) {
        out[i] = minLen[i];
        remaining -= minLen[i];
        settled[i] = true;
        pinned = true;
      }
    }
    if (pinned)
      continue;
    for (int i = 0; i < count; ++i) {
      if (!settled[i] && share > std::max(minLen[i], maxLen[i])) {
        out[i] = std::max(minLen[i], maxLen[i]);
        remaining -= out[i];
        settled[i] = true;
        pinned = true;
      }
    }
    if (pinned)
      continue;
    int last = -1;
    for (int i = 0; i < count; ++i) {
      if (settled[i])
        continue;
      out[i] = share;
      last = i;
    }
    // The rounding remainder goes to the last flexible item.
    if (last >= 0)
      out[last] += std::max(0, remaining) - share * open;
    return;
  }
}

// --- CVerticalLayoutUI ---------------------------------------------------------------------------

std::string CVerticalLayoutUI::GetClass() const {
  return "VerticalLayoutUI";
}

void* CVerticalLayoutUI::GetInterface(std::string_view name) {
  if (name == "VerticalLayout")
    return this;
  return CContainerUI::GetInterface(name);
}

bool CVerticalLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "childalign") {
    childAlign_ = ParseAlign(value);
    NeedUpdate();
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

UISize CVerticalLayoutUI::LayoutChildren(const UIRect& area) {
  PlaceFloatingChildren();
  const std::vector<CControlUI*> flow = FlowChildren();
  const int n = static_cast<int>(flow.size());
  if (n == 0)
    return UISize{};
  const int availW = area.Width();
  const std::vector<int> len =
      ShareLengths(flow, Axis::kVertical, area.Height(), childPadding_, [&](CControlUI* c) {
        const UIRect& p = c->GetPadding();
        return c->EstimateSize(UISize{availW - p.left - p.right, area.Height()});
      });
  int y = area.top;
  int needW = 0;
  for (int i = 0; i < n; ++i) {
    CControlUI* c = flow[i];
    const UIRect& p = c->GetPadding();
    const int room = availW - p.left - p.right;
    int w = c->GetFixedWidth();
    if (w == 0)
      w = room;
    w = ClampLen(w, c->GetMinWidth(), c->GetMaxWidth());
    int x = area.left + p.left;
    if (childAlign_ == 1)
      x += (room - w) / 2;
    else if (childAlign_ == 2)
      x += room - w;
    y += p.top;
    c->SetPos(UIRect{x, y, x + w, y + len[i]});
    y += len[i] + p.bottom + childPadding_;
    // A child that takes the width it is given needs only its minimum.
    const int wants = c->GetFixedWidth() > 0 ? w : c->GetMinWidth();
    needW = std::max(needW, wants + p.left + p.right);
  }
  return UISize{needW, y - childPadding_ - area.top};
}

UISize CVerticalLayoutUI::EstimateSize(UISize available) {
  if (!autoHeight_ || fixedHeight_ > 0)
    return CControlUI::EstimateSize(available);
  const int w = (fixedWidth_ > 0 ? fixedWidth_ : available.cx) - inset_.left - inset_.right;
  int h = 0;
  int count = 0;
  for (CControlUI* c : FlowChildren()) {
    const UIRect& p = c->GetPadding();
    int cw = c->GetFixedWidth() > 0 ? c->GetFixedWidth() : w - p.left - p.right;
    UISize sz = c->EstimateSize(UISize{cw, 0});
    h += std::max(sz.cy, c->GetMinHeight()) + p.top + p.bottom;
    ++count;
  }
  if (count > 1)
    h += childPadding_ * (count - 1);
  return UISize{fixedWidth_, h + inset_.top + inset_.bottom};
}

// --- CHorizontalLayoutUI -------------------------------------------------------------------------

std::string CHorizontalLayoutUI::GetClass() const {
  return "HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
  if (name == "HorizontalLayout")
    return this;
  return CContainerUI::GetInterface(name);
}

bool CHorizontalLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "childvalign") {
    childVAlign_ = ParseAlign(value);
    NeedUpdate();
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

UISize CHorizontalLayoutUI::LayoutChildren(const UIRect& area) {
  PlaceFloatingChildren();
  const std::vector<CControlUI*> flow = FlowChildren();
  const int n = static_cast<int>(flow.size());
  if (n == 0)
    return UISize{};
  const int availH = area.Height();
  const std::vector<int> len =
      ShareLengths(flow, Axis::kHorizontal, area.Width(), childPadding_, [&](CControlUI* c) {
        const UIRect& p = c->GetPadding();
        return c->EstimateSize(UISize{area.Width(), availH - p.top - p.bottom});
      });
  int x = area.left;
  int needH = 0;
  for (int i = 0; i < n; ++i) {
    CControlUI* c = flow[i];
    const UIRect& p = c->GetPadding();
    const int room = availH - p.top - p.bottom;
    UISize sz = c->EstimateSize(UISize{len[i], room});
    int h = sz.cy > 0 ? sz.cy : room;
    h = ClampLen(h, c->GetMinHeight(), c->GetMaxHeight());
    int y = area.top + p.top;
    if (childVAlign_ == 1)
      y += (room - h) / 2;
    else if (childVAlign_ == 2)
      y += room - h;
    x += p.left;
    c->SetPos(UIRect{x, y, x + len[i], y + h});
    x += len[i] + p.right + childPadding_;
    needH = std::max(needH, h + p.top + p.bottom);
  }
  return UISize{x - childPadding_ - area.left, needH};
}

UISize CHorizontalLayoutUI::EstimateSize(UISize available) {
  if (!autoHeight_ || fixedHeight_ > 0)
    return CControlUI::EstimateSize(available);
  // Children's widths: fixed ones as given, the rest share what is left.
  const int w = (fixedWidth_ > 0 ? fixedWidth_ : available.cx) - inset_.left - inset_.right;
  const std::vector<CControlUI*> flow = FlowChildren();
  const int n = static_cast<int>(flow.size());
  const std::vector<int> len =
      ShareLengths(flow, Axis::kHorizontal, w, childPadding_, [w](CControlUI* c) {
        return c->EstimateSize(UISize{w, 0});
      });
  int h = 0;
  for (int i = 0; i < n; ++i) {
    const UIRect& p = flow[i]->GetPadding();
    UISize sz = flow[i]->EstimateSize(UISize{len[i], 0});
    h = std::max(h, std::max(sz.cy, flow[i]->GetMinHeight()) + p.top + p.bottom);
  }
  return UISize{fixedWidth_, h + inset_.top + inset_.bottom};
}

// --- CTabLayoutUI --------------------------------------------------------------------------------

std::string CTabLayoutUI::GetClass() const {
  return "TabLayoutUI";
}

void* CTabLayoutUI::GetInterface(std::string_view name) {
  if (name == "TabLayout")
    return this;
  return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(std::unique_ptr<CControlUI> control) {
  return AddAt(std::move(control), GetCount());
}

bool CTabLayoutUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
  if (!control)
    return false;
  CControlUI* raw = control.get();
  if (!CContainerUI::AddAt(std::move(control), index))
    return false;
  const int at = GetItemIndex(raw);
  if (curSel_ < 0 && raw->IsOwnVisible()) {
    curSel_ = at;
  } else {
    if (curSel_ >= at)
      ++curSel_;
    raw->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
  const int index = GetItemIndex(control);
  if (index < 0)
    return false;
  if (!CContainerUI::RemoveAt(index))
    return false;
  if (curSel_ == index) {
    curSel_ = -1;
    if (GetCount() > 0)
      SelectItem(std::min(index, GetCount() - 1));
  } else if (curSel_ > index) {
    --curSel_;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  curSel_ = -1;
  CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index) {
  if (index < 0 || index >= GetCount())
    return false;
  const int old = curSel_;
  curSel_ = index;
  for (int i = 0; i < GetCount(); ++i)
    items_[i]->SetVisible(i == index);
  NeedUpdate();
  if (manager_ != nullptr && old != index) {
    manager_->SendNotify(this, UINotify::kTabSelect, static_cast<uintptr_t>(index), old);
  }
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control) {
  return SelectItem(GetItemIndex(control));
}

bool CTabLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "selectedid") {
    int n = 0;
    if (ParseUIInt(value, &n)) {
      initialSel_ = n;
      if (manager_ != nullptr)
        SelectItem(n);
    }
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::DoInit() {
  if (initialSel_ >= 0 && initialSel_ < GetCount()) {
    curSel_ = initialSel_;
    for (int i = 0; i < GetCount(); ++i)
      items_[i]->SetVisible(i == curSel_);
  }
}

UISize CTabLayoutUI::LayoutChildren(const UIRect& area) {
  return CContainerUI::LayoutChildren(area);
}

}  // namespace zbe
