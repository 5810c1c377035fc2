// CButtonUI: a label that can be pressed. It draws a state image (normal, hot, pushed,
// focused, disabled) or state colours, and sends "click" when the left button is released over
// it, or Space or Enter is pressed while it has the focus. With hotnotify="true" it also sends
// "onhot" when the mouse enters it and "offhot" when the mouse leaves it.
#pragma once

#include <string>

#include "ui/LabelUI.h"

namespace zbe {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return true; }
  UICursor GetCursor() const override { return UICursor::kHand; }

  bool Activate() override;
  void SetEnabled(bool enabled) override;
  void SetHotNotify(bool on) { hotNotify_ = on; }
  bool IsHotNotify() const { return hotNotify_; }

  void SetNormalImage(const std::string& image);
  void SetHotImage(const std::string& image);
  void SetPushedImage(const std::string& image);
  void SetFocusedImage(const std::string& image);
  void SetDisabledImage(const std::string& image);
  const std::string& GetNormalImage() const { return normalImage_; }

  void DoEvent(TEventUI& event) override;
  void PaintBkColor(CRenderUI& render) override;
  void PaintStatusImage(CRenderUI& render) override;
  void PaintText(CRenderUI& render) override;
  void PaintBorder(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // The button's text colour in its current state.
  UIColor StateTextColor() const;

  std::string normalImage_;
  std::string hotImage_;
  std::string pushedImage_;
  std::string focusedImage_;
  std::string disabledImage_;
  std::string hotForeImage_;
  std::string pushedForeImage_;
  UIColor hotTextColor_ = 0;
  UIColor pushedTextColor_ = 0;
  UIColor focusedTextColor_ = 0;
  UIColor hotBkColor_ = 0;
  UIColor pushedBkColor_ = 0;
  UIColor disabledBkColor_ = 0;
  UIColor hotBorderColor_ = 0;
  bool hotNotify_ = false;
};

}  // namespace zbe
