#include "ui/ProgressUI.h"

#include "ui/AttributeValues.h"
#include "ui/RenderUI.h"

namespace zbe {

CProgressUI::CProgressUI() {
  textStyle_ = UIText::kSingleLine | UIText::kVCenter | UIText::kCenter;
}

std::string CProgressUI::GetClass() const {
  return "ProgressUI";
}

void* CProgressUI::GetInterface(std::string_view name) {
  if (name == "Progress")
    return this;
  return CLabelUI::GetInterface(name);
}

void CProgressUI::SetMinValue(int v) {
  min_ = v;
  if (max_ < min_)
    max_ = min_;
  value_ = std::clamp(value_, min_, max_);
  Invalidate();
}

void CProgressUI::SetMaxValue(int v) {
  max_ = v;
  if (min_ > max_)
    min_ = max_;
  value_ = std::clamp(value_, min_, max_);
  Invalidate();
}

void CProgressUI::SetValue(int v) {
  v = std::clamp(v, min_, max_);
  if (v == value_)
    return;
  value_ = v;
  Invalidate();
}

void CProgressUI::SetHorizontal(bool on) {
  horizontal_ = on;
  Invalidate();
}

UIRect CProgressUI::GetFillRect() const {
  UIRect r = rcItem_;
  const int span = max_ - min_;
  if (span <= 0)
    return UIRect{r.left, r.top, r.left, r.bottom};
  const double f = static_cast<double>(value_ - min_) / span;
  if (horizontal_)
    r.right = r.left + static_cast<int>(r.Width() * f + 0.5);
  else
    r.top = r.bottom - static_cast<int>(r.Height() * f + 0.5);
  return r;
}

void CProgressUI::PaintBkColor(CRenderUI& render) {
  CLabelUI::PaintBkColor(render);
}

void CProgressUI::PaintStatusImage(CRenderUI& render) {
  const UIRect fill = GetFillRect();
  if (fill.IsEmpty())
    return;
  if (!foreImage_.empty()) {
    if (stretchFore_) {
      render.DrawImage(fill, fill, foreImage_);
    } else {
      // The image keeps its full length; only the filled part shows.
      render.DrawImage(rcItem_, fill, foreImage_);
    }
    return;
  }
  if ((foreColor_ >> 24) == 0)
    return;
  UIClipScope clip(render, fill);
  if (borderRound_.cx > 0) {
    // Round the filled part like the bar itself, never narrower than the rounding.
    UIRect f = fill;
    if (horizontal_)
      f.right = std::max(f.right, f.left + std::min(borderRound_.cx, rcItem_.Width()));
    UIClipScope rounded(render, rcItem_, borderRound_);
    if ((foreColor2_ >> 24) != 0)
      render.FillGradient(f, foreColor_, foreColor2_);
    else
      render.FillRoundRect(f, borderRound_, foreColor_);
    return;
  }
  if ((foreColor2_ >> 24) != 0)
    render.FillGradient(fill, foreColor_, foreColor2_);
  else
    render.FillRect(fill, foreColor_);
}

bool CProgressUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  UIColor c = 0;
  if (name == "hor")
    SetHorizontal(ParseUIBool(value));
  else if (name == "min") {
    if (ParseUIInt(value, &n))
      SetMinValue(n);
  } else if (name == "max") {
    if (ParseUIInt(value, &n))
      SetMaxValue(n);
  } else if (name == "value") {
    if (ParseUIInt(value, &n))
      SetValue(n);
  } else if (name == "isstretchfore") {
    stretchFore_ = ParseUIBool(value);
  } else if (name == "forecolor") {
    if (ParseUIColor(value, &c))
      foreColor_ = c;
  } else if (name == "forecolor2") {
    if (ParseUIColor(value, &c))
      foreColor2_ = c;
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  Invalidate();
  return true;
}

}  // namespace zbe
