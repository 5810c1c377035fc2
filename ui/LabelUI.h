// CLabelUI: text in a font and colour, aligned inside its text padding, on one line (cut with
// an ellipsis when asked) or wrapped; with showhtml="true" the text is read as the small markup
// of TextMarkup.h. CTextUI is a label that wraps by default (descriptions, messages).
#pragma once

#include <string>

#include "ui/ControlUI.h"

namespace zbe {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  void SetText(const std::string& text) override;
  int GetFont() const { return font_; }
  void SetFont(int id);
  UIColor GetTextColor() const { return textColor_; }
  void SetTextColor(UIColor c);
  UIColor GetDisabledTextColor() const { return disabledTextColor_; }
  void SetDisabledTextColor(UIColor c);
  // UIText flags.
  uint32_t GetTextStyle() const { return textStyle_; }
  void SetTextStyle(uint32_t style);
  const UIRect& GetTextPadding() const { return textPadding_; }
  void SetTextPadding(const UIRect& padding);
  bool IsShowHtml() const { return showHtml_; }
  void SetShowHtml(bool on);
  // The label's own size follows its text: width on one line (autocalcwidth), height wrapped
  // at the width the layout offers (autocalcheight).
  void SetAutoCalcWidth(bool on);
  void SetAutoCalcHeight(bool on);
  // Size the text needs when wrapped at "width" pixels (text padding included).
  UISize CalcTextSize(int width) const;

  UISize EstimateSize(UISize available) override;
  void PaintText(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // The rectangle the text is drawn in: the item rectangle without the text padding.
  UIRect TextRect() const;
  // Colour for the current state (disabled, or the normal colour or the window's default).
  UIColor EffectiveTextColor() const;
  void DrawLabelText(CRenderUI& render, const std::string& text, UIColor color);

  int font_ = -1;
  UIColor textColor_ = 0;
  UIColor disabledTextColor_ = 0;
  uint32_t textStyle_ = UIText::kVCenter | UIText::kSingleLine;
  UIRect textPadding_;
  bool showHtml_ = false;
  bool autoCalcWidth_ = false;
  bool autoCalcHeight_ = false;
};

class CTextUI : public CLabelUI {
 public:
  CTextUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
};

}  // namespace zbe
