// CControlUI: the base of every control. A control has a name, a rectangle in window client
// coordinates, sizing rules for the layouts, colours, images and a border, a visible and an
// enabled state, and receives input events from its paint manager. All of it is touched on the
// UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/UIDefs.h"

namespace zbe {

class CPaintManagerUI;
class CRenderUI;

// Flags of CControlUI::FindControl.
namespace UIFind {
inline constexpr uint32_t kAll = 0x00;
inline constexpr uint32_t kVisible = 0x01;   // skip hidden controls and their children
inline constexpr uint32_t kEnabled = 0x02;   // skip disabled controls
inline constexpr uint32_t kHitTest = 0x04;   // the point in "data" must lie in the control
inline constexpr uint32_t kTopFirst = 0x08;  // visit children in reverse (top-most first)
inline constexpr uint32_t kMeFirst = 0x80;   // test a container before its children
}  // namespace UIFind

// Called for each control visited; returning non-null stops the search with that control.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // The class name ("ControlUI", "ButtonUI", ...) that window hit tests and defaults use.
  virtual std::string GetClass() const;
  // Returns this control as the named interface ("Control", "Button", "List", ...) or null.
  // Lets callers test a control's kind without knowing its exact class.
  virtual void* GetInterface(std::string_view name);

  const std::string& GetName() const { return name_; }
  void SetName(const std::string& name);

  // --- place in the tree -------------------------------------------------------------------
  CPaintManagerUI* GetManager() const { return manager_; }
  CControlUI* GetParent() const { return parent_; }
  // Attaches the control (and its children) to "manager" under "parent". With "init" the
  // control runs DoInit the first time it is attached. Called by containers; pages use Add.
  virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
  // Visits this control (and, in containers, the children) until "proc" returns non-null.
  virtual CControlUI* FindControl(FindControlProc proc, void* data, uint32_t flags);

  // --- texts -------------------------------------------------------------------------------
  virtual std::string GetText() const { return text_; }
  virtual void SetText(const std::string& text);
  const std::string& GetToolTip() const { return toolTip_; }
  void SetToolTip(const std::string& text) { toolTip_ = text; }
  // A free text for the page's own use (the tree keeps a filter state in it, for example).
  const std::string& GetUserData() const { return userData_; }
  void SetUserData(const std::string& text) { userData_ = text; }
  uintptr_t GetTag() const { return tag_; }
  void SetTag(uintptr_t tag) { tag_ = tag; }

  // --- geometry ----------------------------------------------------------------------------
  // The control's rectangle in window client coordinates, as the last layout placed it.
  const UIRect& GetPos() const { return rcItem_; }
  // Places the control; containers lay their children out here.
  virtual void SetPos(const UIRect& rc);
  int GetWidth() const { return rcItem_.Width(); }
  int GetHeight() const { return rcItem_.Height(); }
  // Outer margins that the parent layout keeps around the control.
  const UIRect& GetPadding() const { return padding_; }
  void SetPadding(const UIRect& padding);
  // Position of a floating control relative to its parent's top-left corner.
  UISize GetFixedXY() const { return fixedXY_; }
  void SetFixedXY(UISize xy);
  // Fixed size; 0 means "take a share of the remaining space".
  int GetFixedWidth() const { return fixedWidth_; }
  void SetFixedWidth(int cx);
  int GetFixedHeight() const { return fixedHeight_; }
  void SetFixedHeight(int cy);
  int GetMinWidth() const { return minWidth_; }
  void SetMinWidth(int cx);
  int GetMaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int cx);
  int GetMinHeight() const { return minHeight_; }
  void SetMinHeight(int cy);
  int GetMaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int cy);
  // A floating control is placed by its "pos" relative to the parent, outside the flow.
  bool IsFloat() const { return float_; }
  void SetFloat(bool on);
  // The size the control wants within "available": a zero side means flexible. Layouts call
  // it; controls that size themselves to their content override it.
  virtual UISize EstimateSize(UISize available);

  // --- appearance --------------------------------------------------------------------------
  UIColor GetBkColor() const { return bkColor_; }
  void SetBkColor(UIColor c);
  // Second colour of a vertical gradient from GetBkColor; 0 for a flat fill.
  UIColor GetBkColor2() const { return bkColor2_; }
  void SetBkColor2(UIColor c);
  UIColor GetBorderColor() const { return borderColor_; }
  void SetBorderColor(UIColor c);
  UIColor GetFocusBorderColor() const { return focusBorderColor_; }
  void SetFocusBorderColor(UIColor c);
  // Border widths of the four sides.
  const UIRect& GetBorderSize() const { return borderSize_; }
  void SetBorderSize(int width);
  void SetBorderSize(const UIRect& sides);
  UISize GetBorderRound() const { return borderRound_; }
  void SetBorderRound(UISize round);
  // Background image in the image notation (see ImageNotation.h).
  const std::string& GetBkImage() const { return bkImage_; }
  void SetBkImage(const std::string& image);
  const std::string& GetForeImage() const { return foreImage_; }
  void SetForeImage(const std::string& image);

  // --- state -------------------------------------------------------------------------------
  // Visible when the control's own flag is set and no ancestor hides it.
  virtual bool IsVisible() const { return visible_ && internVisible_; }
  bool IsOwnVisible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Visibility imposed by an ancestor (a hidden parent, a collapsed tree node).
  virtual void SetInternVisible(bool visible);
  virtual bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  bool IsMouseEnabled() const { return mouseEnabled_; }
  void SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
  bool IsKeyboardEnabled() const { return keyboardEnabled_; }
  void SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
  // Whether a click or the Tab key gives this control the keyboard focus.
  virtual bool IsTabStop() const { return false; }
  bool IsFocused() const;
  virtual void SetFocus();
  // Visual state bits (UIState). Input sets them; galleries may set them to show a state.
  uint32_t GetState() const { return state_; }
  void SetState(uint32_t state);
  virtual UICursor GetCursor() const { return UICursor::kArrow; }

  // --- pages ------------------------------------------------------------------------------
  // Notifications of this control and everything below it go to the page registered under
  // this name (see CPaintManagerUI::AddVirtualWnd).
  void SetVirtualWnd(const std::string& name) { virtualWnd_ = name; }
  // The own virtual window name, or the nearest ancestor's; "" when none.
  std::string GetVirtualWnd() const;

  // --- attributes --------------------------------------------------------------------------
  // Sets one layout attribute. Returns false when the control does not know "name" (the
  // builder reports that); a known name with a malformed value is ignored and returns true.
  virtual bool SetAttribute(const std::string& name, const std::string& value);
  // Applies a list such as: width="10" text="x". Returns the names that were not understood.
  std::vector<std::string> ApplyAttributeList(const std::string& list);

  // --- events ------------------------------------------------------------------------------
  // Entry point of an event: mouse events of a control that does not take the mouse go to its
  // parent; the rest reach DoEvent.
  void Event(TEventUI& event);
  virtual void DoEvent(TEventUI& event);
  // The control's action (a button's click). Returns false when the control cannot act now.
  virtual bool Activate();

  // --- timers (delivered as kTimer events; the base class sends the "timer" notification
  // with wParam = id) -----------------------------------------------------------------------
  // Starts or restarts timer "id" with period "elapseMs". Returns false without a manager.
  bool SetTimer(int id, int elapseMs);
  void KillTimer(int id);
  void KillTimers();

  // --- drawing and layout ------------------------------------------------------------------
  // Asks for a repaint of the control's rectangle.
  void Invalidate();
  // Asks for a new layout before the next paint (the size rules or the content changed).
  void NeedUpdate();
  void NeedParentUpdate();
  bool IsUpdateNeeded() const { return updateNeeded_; }
  void ClearUpdateNeeded() { updateNeeded_ = false; }

  // Paints the control where it meets "rcPaint". Order: background colour, background image,
  // state image, text, border.
  virtual void Paint(CRenderUI& render, const UIRect& rcPaint);
  virtual void PaintBkColor(CRenderUI& render);
  virtual void PaintBkImage(CRenderUI& render);
  virtual void PaintStatusImage(CRenderUI& render);
  virtual void PaintText(CRenderUI& render);
  virtual void PaintBorder(CRenderUI& render);
  // Draws "image" (image notation) relative to the control's rectangle. Returns false when the
  // image is empty, missing or malformed.
  bool DrawImage(CRenderUI& render, const std::string& image);

 protected:
  // Runs once, when the control is first attached to a manager.
  virtual void DoInit() {}
  // Sends notification "type" from this control through the manager.
  void Notify(const char* type, uintptr_t wParam = 0, intptr_t lParam = 0);

  CPaintManagerUI* manager_ = nullptr;
  CControlUI* parent_ = nullptr;
  std::string name_;
  std::string text_;
  std::string toolTip_;
  std::string userData_;
  std::string virtualWnd_;
  std::string bkImage_;
  std::string foreImage_;
  uintptr_t tag_ = 0;
  UIRect rcItem_;
  UIRect padding_;
  UISize fixedXY_;
  int fixedWidth_ = 0;
  int fixedHeight_ = 0;
  int minWidth_ = 0;
  int maxWidth_ = 9999;
  int minHeight_ = 0;
  int maxHeight_ = 9999;
  UIColor bkColor_ = 0;
  UIColor bkColor2_ = 0;
  UIColor borderColor_ = 0;
  UIColor focusBorderColor_ = 0;
  UIRect borderSize_;
  UISize borderRound_;
  uint32_t state_ = 0;
  bool visible_ = true;
  bool internVisible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = true;
  bool float_ = false;
  bool updateNeeded_ = true;
  bool initialized_ = false;
};

}  // namespace zbe
