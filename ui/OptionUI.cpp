#include "ui/OptionUI.h"

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {
namespace {

constexpr int kIndicatorSize = 16;
constexpr int kIndicatorGap = 8;
constexpr UIColor kAccent = 0xFF2563EB;
constexpr UIColor kAccentHot = 0xFF1D4ED8;
constexpr UIColor kBoxBorder = 0xFF9AA5B4;
constexpr UIColor kBoxBorderHot = 0xFF2563EB;
constexpr UIColor kDisabledFill = 0xFFE5E7EB;

}  // namespace

COptionUI::COptionUI() {
  textStyle_ = UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis;
}

COptionUI::~COptionUI() {
  if (manager_ != nullptr && !group_.empty())
    manager_->RemoveOptionGroup(group_, this);
}

std::string COptionUI::GetClass() const {
  return "OptionUI";
}

void* COptionUI::GetInterface(std::string_view name) {
  if (name == "Option")
    return this;
  return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  if (manager_ != nullptr && manager_ != manager && !group_.empty()) {
    manager_->RemoveOptionGroup(group_, this);
  }
  CButtonUI::SetManager(manager, parent, init);
  if (manager_ != nullptr && !group_.empty())
    manager_->AddOptionGroup(group_, this);
}

void COptionUI::DoInit() {
  // A layout may mark more than one option of a group selected; the last one wins.
  if (selected_ && manager_ != nullptr && !group_.empty()) {
    for (CControlUI* c : manager_->GetOptionGroup(group_)) {
      auto* other = static_cast<COptionUI*>(c->GetInterface("Option"));
      if (other != nullptr && other != this && other->IsSelected())
        other->Selected(false, false);
    }
  }
}

void COptionUI::SetGroup(const std::string& group) {
  if (group == group_)
    return;
  if (manager_ != nullptr && !group_.empty())
    manager_->RemoveOptionGroup(group_, this);
  group_ = group;
  if (manager_ != nullptr && !group_.empty())
    manager_->AddOptionGroup(group_, this);
}

void COptionUI::Selected(bool selected, bool notify) {
  if (selected_ == selected)
    return;
  selected_ = selected;
  if (selected)
    state_ |= UIState::kSelected;
  else
    state_ &= ~UIState::kSelected;
  if (selected && manager_ != nullptr && !group_.empty()) {
    for (CControlUI* c : manager_->GetOptionGroup(group_)) {
      auto* other = static_cast<COptionUI*>(c->GetInterface("Option"));
      if (other != nullptr && other != this)
        other->Selected(false, notify);
    }
  }
  Invalidate();
  if (notify)
    Notify(UINotify::kSelectChanged, selected ? 1 : 0);
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate())
    return false;
  if (!group_.empty())
    Selected(true);
  else
    Selected(!selected_);
  return true;
}

bool COptionUI::HasSelectedLook() const {
  return !selectedImage_.empty() || !selectedHotImage_.empty() || !selectedForeImage_.empty();
}

void COptionUI::PaintBkColor(CRenderUI& render) {
  if (selected_ && IsEnabled()) {
    UIColor c = selectedBkColor_;
    if ((state_ & (UIState::kHot | UIState::kPushed)) && selectedHotBkColor_ != 0) {
      c = selectedHotBkColor_;
    }
    if (c != 0) {
      if (borderRound_.cx > 0)
        render.FillRoundRect(rcItem_, borderRound_, c);
      else
        render.FillRect(rcItem_, c);
      return;
    }
  }
  CButtonUI::PaintBkColor(render);
}

void COptionUI::PaintStatusImage(CRenderUI& render) {
  if (normalImage_.empty() && selectedImage_.empty() && indicator_ != 0) {
    PaintDefaultIndicator(render);
    return;
  }
  if (selected_) {
    const std::string* image = &selectedImage_;
    if (!IsEnabled()) {
      if (!selectedDisabledImage_.empty())
        image = &selectedDisabledImage_;
    } else if ((state_ & UIState::kPushed) && !selectedPushedImage_.empty()) {
      image = &selectedPushedImage_;
    } else if ((state_ & (UIState::kHot | UIState::kPushed)) && !selectedHotImage_.empty()) {
      image = &selectedHotImage_;
    }
    if (!image->empty()) {
      DrawImage(render, *image);
      DrawImage(render, selectedForeImage_.empty() ? foreImage_ : selectedForeImage_);
      return;
    }
  }
  CButtonUI::PaintStatusImage(render);
}

void COptionUI::PaintDefaultIndicator(CRenderUI& render) {
  const int top = rcItem_.top + (rcItem_.Height() - kIndicatorSize) / 2;
  UIRect box{rcItem_.left + textPadding_.left, top,
             rcItem_.left + textPadding_.left + kIndicatorSize, top + kIndicatorSize};
  const bool hot = (state_ & (UIState::kHot | UIState::kPushed)) != 0 && IsEnabled();
  if (indicator_ == 3) {
    // A switch: a pill with a knob at the left (off) or right (on).
    UIRect pill{box.left, box.top - 1, box.left + 34, box.bottom + 1};
    UIColor fill = !IsEnabled() ? kDisabledFill
                   : selected_  ? (hot ? kAccentHot : kAccent)
                                : 0xFFCBD2DB;
    render.FillRoundRect(pill, UISize{pill.Height(), pill.Height()}, fill);
    const int d = pill.Height() - 4;
    const int x = selected_ ? pill.right - 2 - d : pill.left + 2;
    render.FillEllipse(UIRect{x, pill.top + 2, x + d, pill.top + 2 + d}, 0xFFFFFFFF);
    return;
  }
  if (indicator_ == 1) {
    if (selected_) {
      render.FillEllipse(box, IsEnabled() ? (hot ? kAccentHot : kAccent) : 0xFFB8C0CC);
      render.FillEllipse(UIRect{box.left + 5, box.top + 5, box.right - 5, box.bottom - 5},
                         0xFFFFFFFF);
    } else {
      render.FillEllipse(box, IsEnabled() ? 0xFFFFFFFF : kDisabledFill);
      render.DrawEllipse(box, 1, hot ? kBoxBorderHot : kBoxBorder);
    }
    return;
  }
  if (selected_) {
    render.FillRoundRect(box, UISize{6, 6},
                         IsEnabled() ? (hot ? kAccentHot : kAccent) : 0xFFB8C0CC);
    const UIPoint tick[3] = {
        {box.left + 4, box.top + 8}, {box.left + 7, box.top + 11}, {box.left + 12, box.top + 5}};
    render.DrawPolyline(tick, 3, 2, 0xFFFFFFFF);
  } else {
    render.FillRoundRect(box, UISize{6, 6}, IsEnabled() ? 0xFFFFFFFF : kDisabledFill);
    render.DrawRoundRect(box, 1, UISize{6, 6}, hot ? kBoxBorderHot : kBoxBorder);
  }
}

void COptionUI::PaintText(CRenderUI& render) {
  UIColor color = StateTextColor();
  if (selected_ && IsEnabled() && selectedTextColor_ != 0)
    color = selectedTextColor_;
  if (normalImage_.empty() && selectedImage_.empty() && indicator_ != 0) {
    // The built-in indicator sits in front of the text.
    UIRect saved = textPadding_;
    textPadding_.left += (indicator_ == 3 ? 34 : kIndicatorSize) + kIndicatorGap;
    DrawLabelText(render, text_, color);
    textPadding_ = saved;
    return;
  }
  DrawLabelText(render, text_, color);
}

bool COptionUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  if (name == "group")
    SetGroup(value);
  else if (name == "selected")
    Selected(ParseUIBool(value), false);
  else if (name == "selectedimage")
    selectedImage_ = value;
  else if (name == "selectedhotimage")
    selectedHotImage_ = value;
  else if (name == "selectedpushedimage")
    selectedPushedImage_ = value;
  else if (name == "selecteddisabledimage")
    selectedDisabledImage_ = value;
  else if (name == "selectedforeimage")
    selectedForeImage_ = value;
  else if (name == "selectedtextcolor") {
    if (ParseUIColor(value, &c))
      selectedTextColor_ = c;
  } else if (name == "selectedbkcolor") {
    if (ParseUIColor(value, &c))
      selectedBkColor_ = c;
  } else if (name == "selectedhotbkcolor") {
    if (ParseUIColor(value, &c))
      selectedHotBkColor_ = c;
  } else if (name == "indicator") {
    indicator_ = value == "radio" ? 1 : value == "check" ? 2 : value == "switch" ? 3 : 0;
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

// --- CCheckBoxUI -------------------------------------------------------------------------------

CCheckBoxUI::CCheckBoxUI() {
  indicator_ = 2;
}

std::string CCheckBoxUI::GetClass() const {
  return "CheckBoxUI";
}

void* CCheckBoxUI::GetInterface(std::string_view name) {
  if (name == "CheckBox")
    return this;
  return COptionUI::GetInterface(name);
}

void CCheckBoxUI::SetCheck(bool check, bool notify) {
  Selected(check, notify);
}

void CCheckBoxUI::SetHalfChecked(bool half) {
  if (half == halfChecked_)
    return;
  halfChecked_ = half;
  Invalidate();
}

UICheckState CCheckBoxUI::GetCheckState() const {
  if (!selected_)
    return UICheckState::kUnchecked;
  return halfChecked_ ? UICheckState::kHalfChecked : UICheckState::kChecked;
}

void CCheckBoxUI::SetCheckState(UICheckState state, bool notify) {
  SetHalfChecked(state == UICheckState::kHalfChecked);
  Selected(state != UICheckState::kUnchecked, notify);
}

void CCheckBoxUI::Selected(bool selected, bool notify) {
  COptionUI::Selected(selected, notify);
}

bool CCheckBoxUI::Activate() {
  if (!IsVisible() || !IsEnabled())
    return false;
  if (halfChecked_ && selected_) {
    // A click on "some of them" means "all of them": the box stays checked, only the look
    // changes, and the change is announced like any other.
    if (!CButtonUI::Activate())
      return false;
    halfChecked_ = false;
    Invalidate();
    Notify(UINotify::kSelectChanged, 1);
    return true;
  }
  halfChecked_ = false;
  return COptionUI::Activate();
}

void CCheckBoxUI::PaintStatusImage(CRenderUI& render) {
  if (selected_ && halfChecked_ && !halfCheckImage_.empty()) {
    DrawImage(render, halfCheckImage_);
    return;
  }
  COptionUI::PaintStatusImage(render);
}

void CCheckBoxUI::PaintDefaultIndicator(CRenderUI& render) {
  if (!(selected_ && halfChecked_)) {
    COptionUI::PaintDefaultIndicator(render);
    return;
  }
  const int top = rcItem_.top + (rcItem_.Height() - kIndicatorSize) / 2;
  UIRect box{rcItem_.left + textPadding_.left, top,
             rcItem_.left + textPadding_.left + kIndicatorSize, top + kIndicatorSize};
  render.FillRoundRect(box, UISize{6, 6}, IsEnabled() ? kAccent : 0xFFB8C0CC);
  render.FillRect(UIRect{box.left + 4, box.top + 7, box.right - 4, box.top + 9}, 0xFFFFFFFF);
}

bool CCheckBoxUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "halfcheckimage") {
    halfCheckImage_ = value;
  } else if (name == "halfchecked") {
    SetHalfChecked(ParseUIBool(value));
  } else if (name == "checked") {
    SetCheck(ParseUIBool(value), false);
  } else {
    return COptionUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace zbe
