#include "ui/ListElementUI.h"

#include "ui/AttributeValues.h"
#include "ui/ImageNotation.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {
namespace {

constexpr int kCheckSize = 16;
constexpr int kIconTextGap = 6;

bool IsHotWithin(const CControlUI* row) {
  CPaintManagerUI* m = row->GetManager();
  if (m == nullptr)
    return false;
  for (const CControlUI* c = m->GetHot(); c != nullptr; c = c->GetParent()) {
    if (c == row)
      return true;
  }
  return false;
}

void PaintRowBackground(CRenderUI& render, const UIRect& rc, const TListInfoUI* info, bool selected,
                        bool hot, int index, UIColor own, UISize round) {
  UIColor c = 0;
  const std::string* image = nullptr;
  if (info != nullptr) {
    if (selected) {
      c = info->selectedBkColor;
      image = &info->selectedImage;
    } else if (hot) {
      c = info->hotBkColor;
      image = &info->hotImage;
    }
    if (c == 0) {
      if (own != 0)
        c = own;
      else if (info->altBkColor != 0 && index % 2 == 1)
        c = info->altBkColor;
      else
        c = info->bkColor;
    }
    if (image == nullptr || image->empty())
      image = &info->bkImage;
  } else {
    c = own;
  }
  if (round.cx > 0)
    render.FillRoundRect(rc, round, c);
  else
    render.FillRect(rc, c);
  if (image != nullptr && !image->empty())
    render.DrawImage(rc, rc, *image);
}

void PaintRowLines(CRenderUI& render, const UIRect& rc, const TListInfoUI* info) {
  if (info == nullptr || (info->lineColor >> 24) == 0)
    return;
  if (info->showRowLine)
    render.FillRect(UIRect{rc.left, rc.bottom - 1, rc.right, rc.bottom}, info->lineColor);
  if (info->showColumnLine) {
    for (const UIRect& col : info->columns) {
      if (col.IsEmpty())
        continue;
      render.FillRect(UIRect{col.right - 1, rc.top, col.right, rc.bottom}, info->lineColor);
    }
  }
}

// The built-in check box: a rounded square, filled with a tick or a dash when (half) checked.
void PaintDefaultCheck(CRenderUI& render, const UIRect& box, UICheckState state, bool enabled) {
  const UIColor accent = enabled ? 0xFF2563EB : 0xFFB8C0CC;
  if (state == UICheckState::kUnchecked) {
    render.FillRoundRect(box, UISize{6, 6}, 0xFFFFFFFF);
    render.DrawRoundRect(box, 1, UISize{6, 6}, 0xFF9AA5B4);
    return;
  }
  render.FillRoundRect(box, UISize{6, 6}, accent);
  if (state == UICheckState::kHalfChecked) {
    render.FillRect(UIRect{box.left + 4, box.top + 7, box.right - 4, box.top + 9}, 0xFFFFFFFF);
  } else {
    const UIPoint tick[3] = {
        {box.left + 4, box.top + 8}, {box.left + 7, box.top + 11}, {box.left + 12, box.top + 5}};
    render.DrawPolyline(tick, 3, 2, 0xFFFFFFFF);
  }
}

// Draws a row's text the way the list shows texts: as markup when it shows HTML.
void DrawRowText(CRenderUI& render, const TListInfoUI& info, const UIRect& rc,
                 const std::string& text, UIColor color, uint32_t style) {
  if (info.showHtml)
    render.DrawMarkupText(rc, text, color, info.font, style);
  else
    render.DrawText(rc, text, color, info.font, style);
}

// Size an image notation asks for: its dest, else its source, else the image's own size.
UISize NotationSize(CPaintManagerUI* manager, const std::string& image) {
  UIImageNotation n;
  if (!ParseImageNotation(image, &n))
    return UISize{};
  if (n.hasDest)
    return UISize{n.dest.Width(), n.dest.Height()};
  if (n.hasSource)
    return UISize{n.source.Width(), n.source.Height()};
  return manager ? manager->GetImageSize(n.file) : UISize{};
}

// Draws "image" so that it fills "box" exactly, whatever dest offsets the notation carries.
void DrawImageIn(CRenderUI& render, const UIRect& box, const UIRect& clip,
                 const std::string& image) {
  UIImageNotation n;
  if (!ParseImageNotation(image, &n))
    return;
  UIRect item = box;
  if (n.hasDest)
    item = box.Offset(-n.dest.left, -n.dest.top);
  render.DrawImage(item, clip, image);
}

}  // namespace

// --- CListElementUI
// -------------------------------------------------------------------------------

CListElementUI::CListElementUI() = default;

std::string CListElementUI::GetClass() const {
  return "ListElementUI";
}

void* CListElementUI::GetInterface(std::string_view name) {
  if (name == "ListElement")
    return this;
  return CListRowUI::GetInterface(name);
}

UISize CListElementUI::EstimateSize(UISize /*available*/) {
  if (fixedHeight_ > 0)
    return UISize{0, fixedHeight_};
  return UISize{0, owner_ ? owner_->GetListInfo()->itemHeight : 28};
}

void CListElementUI::PaintBkColor(CRenderUI& render) {
  PaintRowBackground(render, rcItem_, owner_ ? owner_->GetListInfo() : nullptr, selected_,
                     IsHotWithin(this), index_, bkColor_, borderRound_);
}

void CListElementUI::PaintBorder(CRenderUI& render) {
  PaintRowLines(render, rcItem_, owner_ ? owner_->GetListInfo() : nullptr);
  CControlUI::PaintBorder(render);
}

const TListInfoUI& CListElementUI::ListInfoOrDefaults() const {
  static const TListInfoUI kDefaults;
  return owner_ ? *owner_->GetListInfo() : kDefaults;
}

UIColor CListElementUI::RowTextColor(UIColor own) const {
  const TListInfoUI* info = owner_ ? owner_->GetListInfo() : nullptr;
  if (!IsEnabled()) {
    if (info && info->disabledTextColor)
      return info->disabledTextColor;
    return manager_ ? manager_->GetDefaultDisabledColor() : 0xFFA0A7B0;
  }
  if (info && selected_ && info->selectedTextColor)
    return info->selectedTextColor;
  if (info && IsHotWithin(this) && info->hotTextColor)
    return info->hotTextColor;
  if (own != 0)
    return own;
  if (info && info->textColor)
    return info->textColor;
  return manager_ ? manager_->GetDefaultFontColor() : 0xFF1F2933;
}

// --- CListLabelElementUI
// --------------------------------------------------------------------------

std::string CListLabelElementUI::GetClass() const {
  return "ListLabelElementUI";
}

void* CListLabelElementUI::GetInterface(std::string_view name) {
  if (name == "ListLabelElement")
    return this;
  return CListElementUI::GetInterface(name);
}

void CListLabelElementUI::PaintText(CRenderUI& render) {
  const TListInfoUI& info = ListInfoOrDefaults();
  DrawRowText(render, info, rcItem_.Deflate(info.textPadding), text_, RowTextColor(0),
              info.textStyle);
}

// --- CListTextElementUI
// ---------------------------------------------------------------------------

std::string CListTextElementUI::GetClass() const {
  return "ListTextElementUI";
}

void* CListTextElementUI::GetInterface(std::string_view name) {
  if (name == "ListTextElement")
    return this;
  return CListElementUI::GetInterface(name);
}

std::string CListTextElementUI::GetText(int column) const {
  if (column < 0 || column >= static_cast<int>(texts_.size()))
    return {};
  return texts_[column];
}

void CListTextElementUI::SetText(int column, const std::string& text) {
  if (column < 0)
    return;
  if (column >= static_cast<int>(texts_.size()))
    texts_.resize(column + 1);
  texts_[column] = text;
  Invalidate();
}

void CListTextElementUI::SetTextColor(UIColor c) {
  textColor_ = c;
  Invalidate();
}

UIRect CListTextElementUI::CellRect(int column) const {
  const TListInfoUI* info = owner_ ? owner_->GetListInfo() : nullptr;
  if (info == nullptr || info->columns.empty())
    return column == 0 ? rcItem_ : UIRect{};
  if (column < 0 || column >= static_cast<int>(info->columns.size()))
    return UIRect{};
  const UIRect& col = info->columns[column];
  if (col.IsEmpty())
    return UIRect{};
  return UIRect{col.left, rcItem_.top, col.right, rcItem_.bottom};
}

void CListTextElementUI::PaintText(CRenderUI& render) {
  const TListInfoUI* info = owner_ ? owner_->GetListInfo() : nullptr;
  const int columns =
      (info == nullptr || info->columns.empty()) ? 1 : static_cast<int>(info->columns.size());
  for (int i = 0; i < columns; ++i) {
    const UIRect rc = CellRect(i);
    if (rc.IsEmpty())
      continue;
    UIClipScope clip(render, rc);
    PaintCell(render, i, rc);
  }
}

void CListTextElementUI::PaintCell(CRenderUI& render, int column, const UIRect& rc) {
  const std::string text = GetText(column);
  if (text.empty())
    return;
  const TListInfoUI& info = ListInfoOrDefaults();
  DrawRowText(render, info, rc.Deflate(info.textPadding), text, RowTextColor(textColor_),
              info.textStyle);
}

bool CListTextElementUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  if (name == "textcolor") {
    if (ParseUIColor(value, &c))
      SetTextColor(c);
    return true;
  }
  // "text0", "text1", ...: the text of a column.
  if (name.size() > 4 && name.compare(0, 4, "text") == 0) {
    int column = 0;
    if (ParseUIInt(name.substr(4), &column)) {
      SetText(column, value);
      return true;
    }
  }
  return CListElementUI::SetAttribute(name, value);
}

// --- CListImageTextElementUI
// ----------------------------------------------------------------------

std::string CListImageTextElementUI::GetClass() const {
  return "ListImageTextElementUI";
}

void* CListImageTextElementUI::GetInterface(std::string_view name) {
  if (name == "ListImageTextElement")
    return this;
  return CListTextElementUI::GetInterface(name);
}

CListImageTextElementUI::CellLook* CListImageTextElementUI::Look(int column) {
  if (column < 0)
    return nullptr;
  if (column >= static_cast<int>(looks_.size()))
    looks_.resize(column + 1);
  return &looks_[column];
}

const CListImageTextElementUI::CellLook* CListImageTextElementUI::Look(int column) const {
  if (column < 0 || column >= static_cast<int>(looks_.size()))
    return nullptr;
  return &looks_[column];
}

void CListImageTextElementUI::SetImage(int column, const std::string& normal,
                                       const std::string& selected) {
  if (CellLook* l = Look(column)) {
    l->image = normal;
    l->selectedImage = selected;
    Invalidate();
  }
}

std::string CListImageTextElementUI::GetImage(int column) const {
  const CellLook* l = Look(column);
  return l ? l->image : std::string();
}

void CListImageTextElementUI::SetTextStyle(int column, uint32_t style) {
  if (CellLook* l = Look(column)) {
    l->style = style;
    l->hasStyle = true;
    Invalidate();
  }
}

void CListImageTextElementUI::SetColumnTextColor(int column, UIColor c) {
  if (CellLook* l = Look(column)) {
    l->color = c;
    Invalidate();
  }
}

void CListImageTextElementUI::SetCheckState(UICheckState state) {
  if (state == check_)
    return;
  check_ = state;
  Invalidate();
}

void CListImageTextElementUI::SetCheckVisible(bool visible) {
  checkVisible_ = visible;
  Invalidate();
}

void CListImageTextElementUI::SetCheckImages(const std::string& unchecked,
                                             const std::string& checked,
                                             const std::string& halfChecked) {
  checkImages_[0] = unchecked;
  checkImages_[1] = checked;
  checkImages_[2] = halfChecked;
  Invalidate();
}

UIRect CListImageTextElementUI::GetCheckBoxRect() const {
  const TListInfoUI* info = owner_ ? owner_->GetListInfo() : nullptr;
  if (info == nullptr || info->checkColumn < 0 || !checkVisible_)
    return UIRect{};
  const UIRect cell = CellRect(info->checkColumn);
  if (cell.IsEmpty() || rcItem_.IsEmpty())
    return UIRect{};
  const std::string image = CheckImage(info);
  UISize size{kCheckSize, kCheckSize};
  if (!image.empty()) {
    UISize s = NotationSize(manager_, image);
    if (s.cx > 0 && s.cy > 0)
      size = s;
  }
  // Alone in its column the box is centred; with a text it leads the text.
  const bool alone = GetText(info->checkColumn).empty();
  const int left =
      alone ? cell.left + (cell.Width() - size.cx) / 2 : cell.left + info->textPadding.left;
  const int top = cell.top + (cell.Height() - size.cy) / 2;
  return UIRect{left, top, left + size.cx, top + size.cy};
}

std::string CListImageTextElementUI::CheckImage(const TListInfoUI* info) const {
  const std::string& own = checkImages_[static_cast<int>(check_)];
  if (!own.empty() || info == nullptr)
    return own;
  return check_ == UICheckState::kUnchecked ? info->uncheckImage
         : check_ == UICheckState::kChecked ? info->checkImage
                                            : info->halfCheckImage;
}

void CListImageTextElementUI::PaintCheck(CRenderUI& render, const UIRect& box) {
  const std::string image = CheckImage(owner_ ? owner_->GetListInfo() : nullptr);
  if (!image.empty()) {
    DrawImageIn(render, box, box, image);
    return;
  }
  PaintDefaultCheck(render, box, check_, IsEnabled());
}

void CListImageTextElementUI::PaintCell(CRenderUI& render, int column, const UIRect& rc) {
  const TListInfoUI& info = ListInfoOrDefaults();
  UIRect tr = rc.Deflate(info.textPadding);
  if (column == info.checkColumn && checkVisible_) {
    const UIRect box = GetCheckBoxRect();
    PaintCheck(render, box);
    tr.left = std::max(tr.left, box.right + kIconTextGap);
  }
  const CellLook* look = Look(column);
  if (look != nullptr) {
    const std::string& image =
        (selected_ && !look->selectedImage.empty()) ? look->selectedImage : look->image;
    if (!image.empty()) {
      UISize size = NotationSize(manager_, image);
      if (size.cx > 0 && size.cy > 0) {
        const int top = rc.top + (rc.Height() - size.cy) / 2;
        const UIRect box{tr.left, top, tr.left + size.cx, top + size.cy};
        DrawImageIn(render, box, rc, image);
        tr.left = box.right + kIconTextGap;
      }
    }
  }
  const std::string text = GetText(column);
  if (text.empty())
    return;
  const uint32_t style = (look != nullptr && look->hasStyle) ? look->style : info.textStyle;
  const UIColor color =
      RowTextColor(look != nullptr && look->color != 0 ? look->color : textColor_);
  DrawRowText(render, info, tr, text, color, style);
}

void CListImageTextElementUI::DoEvent(TEventUI& event) {
  const UIRect box = GetCheckBoxRect();
  // A slightly larger target than the drawn box, as a finger or a shaky hand needs.
  const UIRect target{box.left - 4, box.top - 4, box.right + 4, box.bottom + 4};
  switch (event.type) {
    case UIEventType::kButtonDown:
    case UIEventType::kDblClick:
      if (!box.IsEmpty() && target.Contains(event.ptMouse) && IsEnabled()) {
        checkPressed_ = true;
        return;
      }
      break;
    case UIEventType::kButtonUp:
      if (checkPressed_) {
        checkPressed_ = false;
        if (!box.IsEmpty() && target.Contains(event.ptMouse)) {
          // A click on "some" means "all", as on a tree node.
          SetCheckState(check_ == UICheckState::kChecked ? UICheckState::kUnchecked
                                                         : UICheckState::kChecked);
          if (owner_ != nullptr)
            owner_->OnItemCheckClick(this, index_);
        }
        return;
      }
      break;
    default:
      break;
  }
  CListTextElementUI::DoEvent(event);
}

// --- CListContainerElementUI
// ----------------------------------------------------------------------

CListContainerElementUI::CListContainerElementUI() = default;

std::string CListContainerElementUI::GetClass() const {
  return "ListContainerElementUI";
}

void* CListContainerElementUI::GetInterface(std::string_view name) {
  if (name == "ListContainerElement")
    return this;
  return CListRowUI::GetInterface(name);
}

UISize CListContainerElementUI::EstimateSize(UISize available) {
  if (fixedHeight_ > 0)
    return UISize{0, fixedHeight_};
  if (autoHeight_)
    return UISize{0, CHorizontalLayoutUI::EstimateSize(available).cy};
  return UISize{0, owner_ ? owner_->GetListInfo()->itemHeight : 28};
}

void CListContainerElementUI::PaintBkColor(CRenderUI& render) {
  const TListInfoUI* info = owner_ ? owner_->GetListInfo() : nullptr;
  if (info == nullptr) {
    CHorizontalLayoutUI::PaintBkColor(render);
    return;
  }
  PaintRowBackground(render, rcItem_, info, selected_, IsHotWithin(this), index_, bkColor_,
                     borderRound_);
}

void CListContainerElementUI::PaintBorder(CRenderUI& render) {
  PaintRowLines(render, rcItem_, owner_ ? owner_->GetListInfo() : nullptr);
  CHorizontalLayoutUI::PaintBorder(render);
}

}  // namespace zbe
