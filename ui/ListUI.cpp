#include "ui/ListUI.h"

#include <algorithm>

#include "ui/AttributeValues.h"
#include "ui/ListElementUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/ScrollBarUI.h"

namespace zbe {
namespace {

IListItemUI* AsItem(CControlUI* c) {
  return c ? dynamic_cast<IListItemUI*>(c) : nullptr;
}

}  // namespace

// --- CListUI
// --------------------------------------------------------------------------------------

CListUI::CListUI() {
  auto header = std::make_unique<CListHeaderUI>();
  header_ = header.get();
  CContainerUI::AddAt(std::move(header), 0);
  auto body = std::make_unique<CListBodyUI>(this);
  body_ = body.get();
  body_->EnableScrollBar(true, true);
  CContainerUI::AddAt(std::move(body), 1);
}

CListUI::~CListUI() = default;

std::string CListUI::GetClass() const {
  return "ListUI";
}

void* CListUI::GetInterface(std::string_view name) {
  if (name == "List")
    return this;
  return CVerticalLayoutUI::GetInterface(name);
}

int CListUI::GetCount() const {
  return body_->GetCount();
}

CControlUI* CListUI::GetItemAt(int index) const {
  return body_->GetItemAt(index);
}

int CListUI::GetItemIndex(const CControlUI* control) const {
  if (const auto* item = dynamic_cast<const IListItemUI*>(control)) {
    const int i = item->GetIndex();
    if (body_->GetItemAt(i) == control)
      return i;
  }
  return body_->GetItemIndex(control);
}

bool CListUI::SetItemIndex(CControlUI* control, int index) {
  const int from = GetItemIndex(control);
  if (from < 0)
    return false;
  CControlUI* selected = curSel_ >= 0 ? GetItemAt(curSel_) : nullptr;
  if (!body_->SetItemIndex(control, index))
    return false;
  ReindexFrom(std::min(from, index));
  if (selected != nullptr)
    curSel_ = GetItemIndex(selected);
  return true;
}

bool CListUI::Add(std::unique_ptr<CControlUI> control) {
  return AddAt(std::move(control), GetCount());
}

bool CListUI::AddAt(std::unique_ptr<CControlUI> control, int index) {
  if (!control)
    return false;
  if (control->GetInterface("ListHeader") != nullptr) {
    // A header from the layout replaces the built-in one while that is still empty.
    if (header_->GetCount() > 0)
      return false;
    auto* replacement = static_cast<CListHeaderUI*>(control->GetInterface("ListHeader"));
    const bool hidden = header_->forceHidden_;
    CContainerUI::RemoveAt(0);
    CContainerUI::AddAt(std::move(control), 0);
    header_ = replacement;
    header_->forceHidden_ = hidden;
    header_->SetVisible(!hidden && header_->GetCount() > 0);
    return true;
  }
  if (control->GetInterface("ListHeaderItem") != nullptr) {
    header_->Add(std::move(control));
    if (!header_->forceHidden_)
      header_->SetVisible(true);
    return true;
  }
  IListItemUI* item = AsItem(control.get());
  const int count = GetCount();
  index = std::clamp(index, 0, count);
  if (item != nullptr) {
    item->SetOwner(this);
    item->SetIndex(index);
  }
  if (!body_->AddAt(std::move(control), index))
    return false;
  if (index < count) {
    ReindexFrom(index + 1);
    if (curSel_ >= index)
      ++curSel_;
  }
  return true;
}

bool CListUI::Remove(CControlUI* control) {
  const int index = GetItemIndex(control);
  if (index < 0) {
    if (header_->GetItemIndex(control) >= 0)
      return header_->Remove(control);
    return false;
  }
  return RemoveAt(index);
}

bool CListUI::RemoveAt(int index) {
  if (!body_->RemoveAt(index))
    return false;
  AfterRowRemoved(index);
  return true;
}

void CListUI::RemoveAll() {
  curSel_ = -1;
  body_->RemoveAll();
  body_->SetScrollPos(UISize{});
}

std::unique_ptr<CControlUI> CListUI::Detach(CControlUI* control) {
  const int index = GetItemIndex(control);
  if (index < 0)
    return nullptr;
  std::unique_ptr<CControlUI> owned = body_->Detach(control);
  if (IListItemUI* item = AsItem(owned.get())) {
    item->SetOwner(nullptr);
    item->SetSelectedState(false);
  }
  AfterRowRemoved(index);
  return owned;
}

bool CListUI::AddRangeAt(std::vector<std::unique_ptr<CControlUI>> controls, int index) {
  for (const auto& control : controls) {
    if (!control || control->GetInterface("ListHeader") != nullptr ||
        control->GetInterface("ListHeaderItem") != nullptr)
      return false;
  }
  const int count = GetCount();
  const int added = static_cast<int>(controls.size());
  index = std::clamp(index, 0, count);
  for (int i = 0; i < added; ++i) {
    if (IListItemUI* item = AsItem(controls[i].get())) {
      item->SetOwner(this);
      item->SetIndex(index + i);
    }
  }
  if (!body_->AddRangeAt(std::move(controls), index))
    return false;
  if (index < count) {
    ReindexFrom(index + added);
    if (curSel_ >= index)
      curSel_ += added;
  }
  return true;
}

void CListUI::ReindexFrom(int from) {
  const int n = GetCount();
  for (int i = std::max(0, from); i < n; ++i) {
    if (IListItemUI* item = AsItem(GetItemAt(i)))
      item->SetIndex(i);
  }
}

void CListUI::AfterRowRemoved(int index) {
  ReindexFrom(index);
  if (curSel_ == index)
    curSel_ = -1;
  else if (curSel_ > index)
    --curSel_;
}

bool CListUI::SelectItem(int index, bool takeFocus, bool notify) {
  if (index < -1 || index >= GetCount())
    return false;
  if (takeFocus)
    SetFocus();
  if (index == curSel_)
    return true;
  if (index >= 0) {
    CControlUI* row = GetItemAt(index);
    if (!row->IsVisible() || !row->IsEnabled())
      return false;
  }
  const int old = curSel_;
  if (IListItemUI* prev = AsItem(GetItemAt(old)))
    prev->SetSelectedState(false);
  curSel_ = index;
  if (IListItemUI* cur = AsItem(GetItemAt(index)))
    cur->SetSelectedState(true);
  if (index >= 0)
    EnsureVisible(index);
  if (notify)
    Notify(UINotify::kItemSelect, static_cast<uintptr_t>(index), old);
  return true;
}

void CListUI::EnsureVisible(int index) {
  CControlUI* row = GetItemAt(index);
  if (row == nullptr)
    return;
  if (manager_ != nullptr)
    manager_->UpdateLayout();
  if (row->GetPos().IsEmpty())
    return;
  body_->ScrollIntoView(row->GetPos());
}

void CListUI::SetScrollPos(UISize pos) {
  body_->SetScrollPos(pos);
}

UISize CListUI::GetScrollPos() const {
  return body_->GetScrollPos();
}

UISize CListUI::GetScrollRange() const {
  return body_->GetScrollRange();
}

void CListUI::SetItemHeight(int px) {
  info_.itemHeight = std::max(1, px);
  NeedUpdate();
}

void CListUI::SetCheckColumn(int column) {
  info_.checkColumn = column;
  Invalidate();
}

void CListUI::SetItemTextStyle(uint32_t style) {
  info_.textStyle = style;
  Invalidate();
}

void CListUI::SetItemFont(int font) {
  info_.font = font;
  Invalidate();
}

int CListUI::ColumnAt(int x) const {
  for (size_t i = 0; i < info_.columns.size(); ++i) {
    const UIRect& c = info_.columns[i];
    if (!c.IsEmpty() && x >= c.left && x < c.right)
      return static_cast<int>(i);
  }
  return -1;
}

void CListUI::SetPos(const UIRect& rc) {
  CVerticalLayoutUI::SetPos(rc);
  SyncHeader();
}

void CListUI::PaintBkColor(CRenderUI& render) {
  CVerticalLayoutUI::PaintBkColor(render);
  // The header's colour runs on over the scroll bar's column, as one band.
  if (header_->IsVisible() && (header_->GetBkColor() >> 24) != 0) {
    const UIRect& h = header_->GetPos();
    const UIRect band{rcItem_.left, h.top, rcItem_.right, h.bottom};
    render.FillRect(band.Intersect(rcItem_.Deflate(inset_)), header_->GetBkColor());
  }
}

void CListUI::SyncHeader() {
  if (header_->IsVisible()) {
    UIRect hr = header_->GetPos();
    const UIRect inner = body_->GetInnerRect();
    const int width = std::max(inner.Width(), header_->GetRequiredWidth());
    const int scrollX = body_->GetScrollPos().cx;
    UIRect want{inner.left - scrollX, hr.top, inner.left - scrollX + width, hr.bottom};
    if (!(want == hr))
      header_->SetPos(want);
  }
  info_.columns.assign(header_->GetCount(), UIRect{});
  for (int i = 0; i < header_->GetCount(); ++i) {
    CControlUI* item = header_->GetItemAt(i);
    if (item->IsVisible())
      info_.columns[i] = item->GetPos();
  }
}

void CListUI::OnItemClick(CControlUI* item, int index) {
  SelectItem(index, true, true);
  if (manager_ != nullptr) {
    manager_->SendNotify(item, UINotify::kItemClick, static_cast<uintptr_t>(index));
  }
}

void CListUI::OnItemDoubleClick(CControlUI* item, int index) {
  Notify(UINotify::kListItemDblClick, static_cast<uintptr_t>(index),
         reinterpret_cast<intptr_t>(item));
}

void CListUI::OnItemCheckClick(CControlUI* item, int index) {
  Notify(UINotify::kListCheckClick, static_cast<uintptr_t>(index),
         reinterpret_cast<intptr_t>(item));
}

int CListUI::NextSelectableRow(int from, int step) const {
  const int n = GetCount();
  for (int i = from + step; i >= 0 && i < n; i += step) {
    CControlUI* row = GetItemAt(i);
    if (row->IsVisible() && row->IsEnabled())
      return i;
  }
  return -1;
}

void CListUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kButtonDown) {
    SetFocus();
    return;
  }
  if (event.type == UIEventType::kKeyDown && IsEnabled()) {
    const int n = GetCount();
    const int page = std::max(1, body_->GetInnerRect().Height() / std::max(1, info_.itemHeight));
    int target = -2;
    switch (event.chKey) {
      case UIKey::kUp:
        target = NextSelectableRow(curSel_ < 0 ? n : curSel_, -1);
        break;
      case UIKey::kDown:
        target = NextSelectableRow(curSel_, 1);
        break;
      case UIKey::kHome:
        target = NextSelectableRow(-1, 1);
        break;
      case UIKey::kEnd:
        target = NextSelectableRow(n, -1);
        break;
      case UIKey::kPrior: {
        int t = curSel_;
        for (int k = 0; k < page; ++k) {
          int next = NextSelectableRow(t < 0 ? n : t, -1);
          if (next < 0)
            break;
          t = next;
        }
        target = t;
        break;
      }
      case UIKey::kNext: {
        int t = curSel_;
        for (int k = 0; k < page; ++k) {
          int next = NextSelectableRow(t, 1);
          if (next < 0)
            break;
          t = next;
        }
        target = t;
        break;
      }
      case UIKey::kSpace:
        if (info_.checkColumn >= 0 && curSel_ >= 0) {
          auto* row = dynamic_cast<CListImageTextElementUI*>(GetItemAt(curSel_));
          if (row != nullptr && row->IsCheckVisible()) {
            row->SetCheck(row->GetCheckState() != UICheckState::kChecked);
            OnItemCheckClick(row, curSel_);
          }
        }
        return;
      default:
        break;
    }
    if (target >= 0) {
      SelectItem(target, true, true);
      return;
    }
    if (target == -1)
      return;
  }
  if (event.type == UIEventType::kScrollWheel) {
    body_->DoEvent(event);
    return;
  }
  CVerticalLayoutUI::DoEvent(event);
}

bool CListUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  UIRect rc;
  int n = 0;
  if (name == "header") {
    header_->forceHidden_ = value == "hidden" || value == "false";
    header_->SetVisible(!header_->forceHidden_ && header_->GetCount() > 0);
  } else if (name == "headerbkcolor") {
    if (ParseUIColor(value, &c))
      header_->SetBkColor(c);
  } else if (name == "headerheight") {
    if (ParseUIInt(value, &n))
      header_->SetFixedHeight(n);
  } else if (name == "vscrollbar" || name == "hscrollbar" || name == "vscrollbarstyle" ||
             name == "hscrollbarstyle" || name == "scrollstepsize") {
    return body_->SetAttribute(name, value);
  } else if (name == "itemfont") {
    if (ParseUIInt(value, &n))
      info_.font = n;
  } else if (name == "itemalign") {
    info_.textStyle &= ~(UIText::kCenter | UIText::kRight);
    if (value == "center")
      info_.textStyle |= UIText::kCenter;
    else if (value == "right")
      info_.textStyle |= UIText::kRight;
  } else if (name == "itemendellipsis") {
    if (ParseUIBool(value))
      info_.textStyle |= UIText::kEndEllipsis;
    else
      info_.textStyle &= ~UIText::kEndEllipsis;
  } else if (name == "itemtextpadding") {
    if (ParseUIRect(value, &rc))
      info_.textPadding = rc;
  } else if (name == "itemtextcolor") {
    if (ParseUIColor(value, &c))
      info_.textColor = c;
  } else if (name == "itembkcolor") {
    if (ParseUIColor(value, &c))
      info_.bkColor = c;
  } else if (name == "itemaltbkcolor") {
    if (ParseUIColor(value, &c))
      info_.altBkColor = c;
  } else if (name == "itemselectedtextcolor") {
    if (ParseUIColor(value, &c))
      info_.selectedTextColor = c;
  } else if (name == "itemselectedbkcolor") {
    if (ParseUIColor(value, &c))
      info_.selectedBkColor = c;
  } else if (name == "itemhottextcolor") {
    if (ParseUIColor(value, &c))
      info_.hotTextColor = c;
  } else if (name == "itemhotbkcolor") {
    if (ParseUIColor(value, &c))
      info_.hotBkColor = c;
  } else if (name == "itemdisabledtextcolor") {
    if (ParseUIColor(value, &c))
      info_.disabledTextColor = c;
  } else if (name == "itemlinecolor") {
    if (ParseUIColor(value, &c))
      info_.lineColor = c;
  } else if (name == "itemshowrowline") {
    info_.showRowLine = ParseUIBool(value);
  } else if (name == "itemshowcolumnline") {
    info_.showColumnLine = ParseUIBool(value);
  } else if (name == "itemshowhtml") {
    info_.showHtml = ParseUIBool(value);
  } else if (name == "itembkimage") {
    info_.bkImage = value;
  } else if (name == "itemselectedimage") {
    info_.selectedImage = value;
  } else if (name == "itemhotimage") {
    info_.hotImage = value;
  } else if (name == "itemheight") {
    if (ParseUIInt(value, &n))
      SetItemHeight(n);
  } else if (name == "checkcolumn") {
    if (ParseUIInt(value, &n))
      SetCheckColumn(n);
  } else if (name == "itemcheckimage") {
    info_.checkImage = value;
  } else if (name == "itemuncheckimage") {
    info_.uncheckImage = value;
  } else if (name == "itemhalfcheckimage") {
    info_.halfCheckImage = value;
  } else {
    return CVerticalLayoutUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

}  // namespace zbe
