#include "app/CustomControls.h"

#include "ui/RenderUI.h"

namespace zbe {

void CLabelExUI::PaintText(CRenderUI& render) {
  const std::string text = GetText();
  if (text.empty())
    return;
  render.DrawText(GetPos().Deflate(GetTextPadding()), text, EffectiveTextColor(), GetFont(),
                  GetTextStyle());
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
