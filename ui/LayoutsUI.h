// The three layouts: a column (CVerticalLayoutUI), a row (CHorizontalLayoutUI), and a stack of
// pages of which one shows at a time (CTabLayoutUI).
//
// Column and row: children with a fixed size along the layout's direction get it; the others
// share what is left equally (each kept within its min and max). Across the direction a child
// takes its fixed size or the whole width (height), aligned by childalign (childvalign).
// "padding" keeps space around a child, "inset" inside the layout, "childpadding" between
// children; floating children (float="true" pos="l,t,r,b") are placed by their position.
#pragma once

#include <string>

#include "ui/ContainerUI.h"

namespace zbe {

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  UISize EstimateSize(UISize available) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  UISize LayoutChildren(const UIRect& inner) override;
  int childAlign_ = 0;  // 0 left, 1 centre, 2 right
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  UISize EstimateSize(UISize available) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  UISize LayoutChildren(const UIRect& inner) override;
  int childVAlign_ = 0;  // 0 top, 1 centre, 2 bottom
};

// Shows child "selectedid" only. Selecting sends "tabselect" (wParam: new index, lParam: old).
class CTabLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  int GetCurSel() const { return curSel_; }
  // Shows child "index" and hides the others. Returns false for an index out of range.
  bool SelectItem(int index);
  bool SelectItem(CControlUI* control);

  bool Add(std::unique_ptr<CControlUI> control) override;
  bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
  bool Remove(CControlUI* control) override;
  void RemoveAll() override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void DoInit() override;
  UISize LayoutChildren(const UIRect& inner) override;

 private:
  int curSel_ = -1;
  int initialSel_ = 0;
};

// Length distribution shared by the column and the row. Given "count" items whose wanted
// lengths are in "fixed" (0 = flexible) with limits "minLen"/"maxLen", and the "free" length
// for the flexible ones, writes the final lengths into "out". Flexible items share "free"
// equally; one pinned at its min or max leaves the rest to the others; the last flexible item
// takes the rounding remainder.
void DistributeLengths(int count, const int* fixed, const int* minLen, const int* maxLen, int free,
                       int* out);

}  // namespace zbe
