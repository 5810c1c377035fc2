// The application's own controls, created by their layout class names ("FileTree",
// "ButtonEx", "ButtonGif", "LabelEx").
#pragma once

#include <memory>
#include <string>

#include "ui/ButtonUI.h"
#include "ui/GifButtonUI.h"
#include "ui/LabelUI.h"
#include "ui/TreeViewUI.h"

namespace zbe {

// The category tree: nodes with an expander and a check box. The toolkit's tree already sends
// "itemexpand" and "checkboxselectchanged" with the node as sender.
class CFileTreeUI : public CTreeViewUI {
 public:
  std::string GetClass() const override { return "FileTreeUI"; }
};

// A button that also sends "onhot" when the mouse enters it and "offhot" when it leaves.
class CButtonExUI : public CButtonUI {
 public:
  CButtonExUI() { SetHotNotify(true); }
  std::string GetClass() const override { return "ButtonExUI"; }
};

// A button playing its GIF ("normalgiffile") on timer 15 while asked to; it does not start by
// itself, and hiding it stops the frames.
class CButtonGifUI : public CGifButtonUI {
 public:
  CButtonGifUI() { SetAutoPlay(false); }
  std::string GetClass() const override { return "ButtonGifUI"; }
};

// The text of a chat bubble: painted by the label itself inside its text padding, wrapped.
// With autocalcheight it is as wide as its longest line needs (never wider than its layout
// offers), so that a bubble fits its words.
class CLabelExUI : public CLabelUI {
 public:
  CLabelExUI() { SetTextStyle(UIText::kWordBreak); }
  std::string GetClass() const override { return "LabelExUI"; }
  UISize EstimateSize(UISize available) override;
  void PaintText(CRenderUI& render) override;
};

// A new control of the application's layout class "className", or null for any other name.
std::unique_ptr<CControlUI> CreateAppControl(const std::string& className);

}  // namespace zbe
