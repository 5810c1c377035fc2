#include "app/CustomControls.h"

#include <algorithm>

#include "ui/RenderUI.h"

namespace zbe {

void CLabelExUI::PaintText(CRenderUI& render) {
  const std::string text = GetText();
  if (text.empty())
    return;
  render.DrawText(GetPos().Deflate(GetTextPadding()), text, EffectiveTextColor(), GetFont(),
                  GetTextStyle());
}

UISize CLabelExUI::EstimateSize(UISize available) {
  if (autoCalcHeight_ && fixedWidth_ == 0 && manager_ != nullptr) {
    // Layouts give a child the width between its minimum and maximum; the text's own width is
    // the most it needs. One pixel more keeps the measured line from wrapping again.
    maxWidth_ = std::max(minWidth_, CalcTextSize(0).cx + 1);
  }
  return CLabelUI::EstimateSize(available);
}

std::unique_ptr<CControlUI> CreateAppControl(const std::string& className) {
  if (className == "FileTree")
    return std::make_unique<CFileTreeUI>();
  if (className == "ButtonEx")
    return std::make_unique<CButtonExUI>();
  if (className == "ButtonGif")
    return std::make_unique<CButtonGifUI>();
  if (className == "LabelEx")
    return std::make_unique<CLabelExUI>();
  return nullptr;
}

}  // namespace zbe
