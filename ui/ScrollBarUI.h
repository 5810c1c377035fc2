// CScrollBarUI: the scroll bar of a container (or a stand-alone one). Drawn as a slim rail
// with a rounded thumb from colours, or from images when the skin gives them. Dragging the
// thumb, clicking the rail (a page) and the optional arrow buttons (a line) move the owner's
// content.
#pragma once

#include <string>

#include "ui/ControlUI.h"

namespace zbe {

class CContainerUI;

class CScrollBarUI : public CControlUI {
 public:
  CScrollBarUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // The container this bar scrolls (null for a stand-alone bar).
  CContainerUI* GetOwner() const { return owner_; }
  void SetOwner(CContainerUI* owner) { owner_ = owner; }
  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);
  // Thickness: width of a vertical bar, height of a horizontal one.
  int GetThickness() const { return thickness_; }
  void SetThickness(int px);
  int GetScrollRange() const { return range_; }
  void SetScrollRange(int range);
  int GetScrollPos() const { return pos_; }
  // Moves the thumb (clamped to 0..range) and scrolls the owner.
  void SetScrollPos(int pos);
  // Sets the position without telling the owner (the owner itself is scrolling).
  void SetPosValue(int pos);
  int GetLineSize() const { return lineSize_; }
  void SetLineSize(int px) { lineSize_ = px; }
  // The thumb's rectangle after the last layout (client coordinates).
  UIRect GetThumbRect() const;
  // Shows or hides the bar without asking for a new layout (the owner is laying out).
  void SetShown(bool shown) { visible_ = shown; }

  void SetPos(const UIRect& rc) override;
  void DoEvent(TEventUI& event) override;
  void Paint(CRenderUI& render, const UIRect& rcPaint) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 private:
  UIRect RailRect() const;
  UIRect ButtonRect(int which) const;
  void MovePos(int delta);

  CContainerUI* owner_ = nullptr;
  bool horizontal_ = false;
  int thickness_ = 10;
  int range_ = 100;
  int pos_ = 0;
  int lineSize_ = 20;
  bool showButtons_ = false;
  int dragOffset_ = -1;  // while dragging: mouse offset inside the thumb, else -1
  int pressedPart_ = 0;  // 0 none, 1 first button, 2 second button, 3 rail, 4 thumb
  bool thumbHot_ = false;
  UIColor railColor_ = 0x0F000000;
  UIColor thumbColor_ = 0x55303A46;
  UIColor thumbHotColor_ = 0x80303A46;
  UIColor thumbPushedColor_ = 0xA0303A46;
  std::string thumbImage_;
  std::string thumbHotImage_;
  std::string thumbPushedImage_;
  std::string railImage_;
  std::string button1Image_;
  std::string button2Image_;
};

}  // namespace zbe
