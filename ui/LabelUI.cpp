#include "ui/LabelUI.h"

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {

CLabelUI::CLabelUI() = default;

std::string CLabelUI::GetClass() const {
  return "LabelUI";
}

void* CLabelUI::GetInterface(std::string_view name) {
  if (name == "Label")
    return this;
  return CControlUI::GetInterface(name);
}

void CLabelUI::SetText(const std::string& text) {
  if (text == text_)
    return;
  CControlUI::SetText(text);
  if (autoCalcWidth_ || autoCalcHeight_)
    NeedParentUpdate();
}

void CLabelUI::SetFont(int id) {
  font_ = id;
  Invalidate();
}

void CLabelUI::SetTextColor(UIColor c) {
  textColor_ = c;
  Invalidate();
}

void CLabelUI::SetDisabledTextColor(UIColor c) {
  disabledTextColor_ = c;
  Invalidate();
}

void CLabelUI::SetTextStyle(uint32_t style) {
  textStyle_ = style;
  Invalidate();
}

void CLabelUI::SetTextPadding(const UIRect& padding) {
  textPadding_ = padding;
  Invalidate();
  if (autoCalcWidth_ || autoCalcHeight_)
    NeedParentUpdate();
}

void CLabelUI::SetShowHtml(bool on) {
  showHtml_ = on;
  Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool on) {
  autoCalcWidth_ = on;
  NeedParentUpdate();
}

void CLabelUI::SetAutoCalcHeight(bool on) {
  autoCalcHeight_ = on;
  NeedParentUpdate();
}

UISize CLabelUI::CalcTextSize(int width) const {
  if (manager_ == nullptr)
    return UISize{};
  const int inner = width > 0 ? std::max(1, width - textPadding_.left - textPadding_.right) : 0;
  UISize s = manager_->MeasureText(text_, font_, textStyle_, inner, showHtml_);
  return UISize{s.cx + textPadding_.left + textPadding_.right,
                s.cy + textPadding_.top + textPadding_.bottom};
}

UISize CLabelUI::EstimateSize(UISize available) {
  UISize sz{fixedWidth_, fixedHeight_};
  if (autoCalcWidth_ && fixedWidth_ == 0) {
    UISize one = CalcTextSize(0);
    sz.cx = one.cx;
  }
  if (autoCalcHeight_ && fixedHeight_ == 0) {
    int w = sz.cx > 0 ? sz.cx : available.cx;
    if (w > 0)
      sz.cy = CalcTextSize(w).cy;
  }
  return sz;
}

UIRect CLabelUI::TextRect() const {
  return rcItem_.Deflate(textPadding_);
}

UIColor CLabelUI::EffectiveTextColor() const {
  if (!IsEnabled()) {
    if (disabledTextColor_ != 0)
      return disabledTextColor_;
    return manager_ ? manager_->GetDefaultDisabledColor() : 0xFFA0A7B0;
  }
  if (textColor_ != 0)
    return textColor_;
  return manager_ ? manager_->GetDefaultFontColor() : 0xFF1F2933;
}

void CLabelUI::DrawLabelText(CRenderUI& render, const std::string& text, UIColor color) {
  if (text.empty())
    return;
  if (showHtml_)
    render.DrawMarkupText(TextRect(), text, color, font_, textStyle_);
  else
    render.DrawText(TextRect(), text, color, font_, textStyle_);
}

void CLabelUI::PaintText(CRenderUI& render) {
  DrawLabelText(render, text_, EffectiveTextColor());
}

bool CLabelUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  UIRect rc;
  int n = 0;
  if (name == "align") {
    textStyle_ &= ~(UIText::kCenter | UIText::kRight);
    if (value.find("center") != std::string::npos)
      textStyle_ |= UIText::kCenter;
    else if (value.find("right") != std::string::npos)
      textStyle_ |= UIText::kRight;
    // Older layouts put the vertical alignment here too.
    if (value.find("top") != std::string::npos)
      textStyle_ &= ~(UIText::kVCenter | UIText::kBottom);
    if (value.find("bottom") != std::string::npos) {
      textStyle_ = (textStyle_ & ~UIText::kVCenter) | UIText::kBottom;
    }
  } else if (name == "valign") {
    textStyle_ &= ~(UIText::kVCenter | UIText::kBottom);
    if (value == "vcenter" || value == "center")
      textStyle_ |= UIText::kVCenter;
    else if (value == "bottom")
      textStyle_ |= UIText::kBottom;
  } else if (name == "endellipsis") {
    if (ParseUIBool(value))
      textStyle_ |= UIText::kEndEllipsis;
    else
      textStyle_ &= ~UIText::kEndEllipsis;
  } else if (name == "wordbreak" || name == "multiline") {
    if (ParseUIBool(value))
      textStyle_ = (textStyle_ & ~UIText::kSingleLine) | UIText::kWordBreak;
    else
      textStyle_ = (textStyle_ & ~UIText::kWordBreak) | UIText::kSingleLine;
  } else if (name == "singleline") {
    if (ParseUIBool(value))
      textStyle_ = (textStyle_ & ~UIText::kWordBreak) | UIText::kSingleLine;
    else
      textStyle_ = (textStyle_ & ~UIText::kSingleLine) | UIText::kWordBreak;
  } else if (name == "font") {
    if (ParseUIInt(value, &n))
      SetFont(n);
  } else if (name == "textcolor") {
    if (ParseUIColor(value, &c))
      SetTextColor(c);
  } else if (name == "disabledtextcolor") {
    if (ParseUIColor(value, &c))
      SetDisabledTextColor(c);
  } else if (name == "textpadding") {
    if (ParseUIRect(value, &rc))
      SetTextPadding(rc);
  } else if (name == "showhtml") {
    SetShowHtml(ParseUIBool(value));
  } else if (name == "autocalcwidth") {
    SetAutoCalcWidth(ParseUIBool(value));
  } else if (name == "autocalcheight") {
    SetAutoCalcHeight(ParseUIBool(value));
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

CTextUI::CTextUI() {
  textStyle_ = UIText::kWordBreak;
}

std::string CTextUI::GetClass() const {
  return "TextUI";
}

void* CTextUI::GetInterface(std::string_view name) {
  if (name == "Text")
    return this;
  return CLabelUI::GetInterface(name);
}

}  // namespace zbe
