// CContainerUI: a control that owns child controls. The plain container gives every child its
// whole inner rectangle (inside "inset"); the layouts place them in a row or column. A
// container can scroll its content with its own scroll bars.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/ControlUI.h"

namespace zbe {

class CScrollBarUI;

class CContainerUI : public CControlUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // --- children ----------------------------------------------------------------------------
  // Lists and trees answer these for their rows rather than their header and body.
  virtual int GetCount() const { return static_cast<int>(items_.size()); }
  virtual CControlUI* GetItemAt(int index) const;
  // Index of "control" among the children, or -1.
  virtual int GetItemIndex(const CControlUI* control) const;
  // Moves child "control" to "index". Returns false when it is not a child.
  virtual bool SetItemIndex(CControlUI* control, int index);
  // Appends "control" (taking ownership). Returns false (destroying it) for null.
  virtual bool Add(std::unique_ptr<CControlUI> control);
  // Inserts at "index" (clamped to 0..count).
  virtual bool AddAt(std::unique_ptr<CControlUI> control, int index);
  // Inserts "controls" at "index" (clamped to 0..count) in one step, keeping their order: the
  // cost of one insertion however many there are. Returns false, inserting nothing, when one of
  // them is null.
  virtual bool AddRangeAt(std::vector<std::unique_ptr<CControlUI>> controls, int index);
  // Creates a T, appends it and returns it (null when Add refused it).
  template <class T, class... Args>
  T* AddNew(Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = owned.get();
    return Add(std::move(owned)) ? raw : nullptr;
  }
  // Removes and destroys "control" once the current event is over, so a notification handler
  // may remove the control that sent it. Returns false when it is not a child.
  virtual bool Remove(CControlUI* control);
  virtual bool RemoveAt(int index);
  virtual void RemoveAll();
  // Removes "control" and hands it to the caller (detached from any manager).
  virtual std::unique_ptr<CControlUI> Detach(CControlUI* control);

  // --- inner layout ------------------------------------------------------------------------
  // Margins between the container's edge and its children.
  const UIRect& GetInset() const { return inset_; }
  void SetInset(const UIRect& inset);
  // Space between neighbouring children.
  int GetChildPadding() const { return childPadding_; }
  void SetChildPadding(int padding);
  // When false the children take no mouse input: clicks stop at the container.
  bool IsMouseChildEnabled() const { return mouseChildEnabled_; }
  void SetMouseChildEnabled(bool enabled);
  // The inner rectangle: the item rectangle without inset and visible scroll bars.
  UIRect GetInnerRect() const;

  // --- scrolling ---------------------------------------------------------------------------
  void EnableScrollBar(bool vertical, bool horizontal = false);
  CScrollBarUI* GetVerticalScrollBar() const { return vscroll_.get(); }
  CScrollBarUI* GetHorizontalScrollBar() const { return hscroll_.get(); }
  UISize GetScrollPos() const;
  UISize GetScrollRange() const;
  void SetScrollPos(UISize pos);
  // Pixels moved by one wheel notch or arrow key.
  int GetScrollStepSize() const { return scrollStep_; }
  void SetScrollStepSize(int step) { scrollStep_ = step; }
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  void HomeUp();
  void EndDown();
  void LineLeft();
  void LineRight();
  // Scrolls for navigation key "key" (UIKey): up and down by a line, page up and down, home and
  // end. Returns false, scrolling nothing, for any other key.
  bool ScrollForKey(uint32_t key);
  // Scrolls so that "rc" (client coordinates) is inside the inner rectangle.
  void ScrollIntoView(const UIRect& rc);

  // --- overrides ---------------------------------------------------------------------------
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  CControlUI* FindControl(FindControlProc proc, void* data, uint32_t flags) override;
  void SetPos(const UIRect& rc) override;
  void Paint(CRenderUI& render, const UIRect& rcPaint) override;
  void SetVisible(bool visible) override;
  void SetInternVisible(bool visible) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void DoEvent(TEventUI& event) override;
  UISize EstimateSize(UISize available) override;

 protected:
  // Places a floating child by its fixed position and size relative to the inner rectangle.
  void SetFloatPos(CControlUI* child);
  // Places every visible floating child (SetFloatPos).
  void PlaceFloatingChildren();
  // The visible children that do not float, in order: the ones a layout places.
  std::vector<CControlUI*> FlowChildren() const;
  // Shows, hides and sizes the scroll bars for content of "cxRequired" by "cyRequired" inside
  // "rc". Returns true when a scroll bar appeared or disappeared (the caller lays out again).
  bool ProcessScrollBar(const UIRect& rc, int cxRequired, int cyRequired);
  // Paints the children that meet "rcPaint"; lists override it to visit only visible rows.
  virtual void PaintChildren(CRenderUI& render, const UIRect& rcPaint);
  // Lays out the children inside "inner" (already without inset and scroll bars); returns
  // the size the content needs. The plain container stacks every child over the whole area.
  virtual UISize LayoutChildren(const UIRect& inner);
  // When true, EstimateSize sums up the children (autoheight="true").
  bool autoHeight_ = false;
  std::vector<std::unique_ptr<CControlUI>> items_;
  UIRect inset_;
  int childPadding_ = 0;
  int scrollStep_ = 0;
  bool mouseChildEnabled_ = true;
  std::unique_ptr<CScrollBarUI> vscroll_;
  std::unique_ptr<CScrollBarUI> hscroll_;
  std::string vscrollStyle_;
  std::string hscrollStyle_;

 private:
  void AttachScrollBar(CScrollBarUI* bar, const std::string& style);
  // Takes child "index" out, forgetting every reference to it; the caller owns it.
  std::unique_ptr<CControlUI> TakeAt(int index);
};

}  // namespace zbe
