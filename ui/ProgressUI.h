// CProgressUI: a bar filled in proportion to its value between min and max, horizontally or
// vertically, from a colour or an image (foreimage); the label text is drawn over it.
#pragma once

#include <string>

#include "ui/LabelUI.h"

namespace zbe {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  int GetMinValue() const { return min_; }
  void SetMinValue(int v);
  int GetMaxValue() const { return max_; }
  void SetMaxValue(int v);
  int GetValue() const { return value_; }
  // Sets the value, clamped to min..max.
  void SetValue(int v);
  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool on);
  // The part of the bar that is filled (client coordinates).
  UIRect GetFillRect() const;

  void PaintBkColor(CRenderUI& render) override;
  void PaintStatusImage(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  bool horizontal_ = true;
  bool stretchFore_ = true;
  UIColor foreColor_ = 0xFF3B82F6;
  UIColor foreColor2_ = 0;
};

}  // namespace zbe
