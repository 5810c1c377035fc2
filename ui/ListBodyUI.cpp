#include <algorithm>

#include "ui/ListUI.h"
#include "ui/RenderUI.h"
#include "ui/ScrollBarUI.h"

namespace zbe {

// --- CListBodyUI
// ----------------------------------------------------------------------------------

CListBodyUI::CListBodyUI(CListUI* owner) : owner_(owner) {}

std::string CListBodyUI::GetClass() const {
  return "ListBodyUI";
}

int CListBodyUI::RowAtOrBelow(int y) const {
  auto it = std::partition_point(
      items_.begin(), items_.end(),
      [y](const std::unique_ptr<CControlUI>& c) { return c->GetPos().bottom <= y; });
  return static_cast<int>(it - items_.begin());
}

void CListBodyUI::SetPos(const UIRect& rc) {
  CVerticalLayoutUI::SetPos(rc);
  owner_->SyncHeader();
}

UISize CListBodyUI::LayoutChildren(const UIRect& area) {
  const TListInfoUI* info = owner_->GetListInfo();
  const CListHeaderUI* header = owner_->GetHeader();
  int rowW = GetInnerRect().Width();
  if (header != nullptr && header->IsVisible())
    rowW = std::max(rowW, header->GetRequiredWidth());
  int y = area.top;
  bool any = false;
  for (auto& item : items_) {
    CControlUI* c = item.get();
    if (!c->IsVisible()) {
      // Hidden rows keep an empty place so that rows stay sorted by position.
      c->CControlUI::SetPos(UIRect{area.left, y, area.left + rowW, y});
      continue;
    }
    if (any)
      y += childPadding_;
    any = true;
    const UIRect& p = c->GetPadding();
    int h = c->EstimateSize(UISize{rowW - p.left - p.right, 0}).cy;
    if (h <= 0)
      h = info->itemHeight;
    y += p.top;
    c->SetPos(UIRect{area.left + p.left, y, area.left + rowW - p.right, y + h});
    y += h + p.bottom;
  }
  return UISize{rowW, y - area.top};
}

void CListBodyUI::PaintChildren(CRenderUI& render, const UIRect& rcPaint) {
  const UIRect inner = GetInnerRect().Intersect(rcPaint);
  if (inner.IsEmpty())
    return;
  UIClipScope clip(render, inner);
  const int n = static_cast<int>(items_.size());
  for (int i = RowAtOrBelow(inner.top); i < n; ++i) {
    CControlUI* c = items_[i].get();
    if (c->GetPos().top >= inner.bottom)
      break;
    if (!c->IsVisible())
      continue;
    c->Paint(render, inner);
  }
}

CControlUI* CListBodyUI::FindControl(FindControlProc proc, void* data, uint32_t flags) {
  if (!(flags & UIFind::kHitTest) || (flags & UIFind::kMeFirst)) {
    return CVerticalLayoutUI::FindControl(proc, data, flags);
  }
  if ((flags & UIFind::kVisible) && !IsVisible())
    return nullptr;
  const UIPoint pt = *static_cast<UIPoint*>(data);
  if (!rcItem_.Contains(pt))
    return nullptr;
  if (!mouseChildEnabled_ || !IsEnabled())
    return proc(this, data);
  if (vscroll_) {
    if (CControlUI* r = vscroll_->FindControl(proc, data, flags))
      return r;
  }
  if (hscroll_) {
    if (CControlUI* r = hscroll_->FindControl(proc, data, flags))
      return r;
  }
  if (GetInnerRect().Contains(pt)) {
    const int n = static_cast<int>(items_.size());
    for (int i = RowAtOrBelow(pt.y); i < n; ++i) {
      CControlUI* c = items_[i].get();
      if (c->GetPos().top > pt.y)
        break;
      if (CControlUI* r = c->FindControl(proc, data, flags))
        return r;
    }
  }
  return proc(this, data);
}

void CListBodyUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kButtonDown || event.type == UIEventType::kKeyDown) {
    // Clicks on the empty area below the rows and keys reach the list.
    owner_->DoEvent(event);
    return;
  }
  CVerticalLayoutUI::DoEvent(event);
}

}  // namespace zbe
