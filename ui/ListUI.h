// CListUI: a list with a header of columns (CListHeaderUI holding CListHeaderItemUI) over a
// scrolling body of rows. Rows are list elements (ListElementUI.h): text rows with a text per
// column, image-and-text rows with an icon and a text per column and a check-box column, and
// container rows built from a layout. The list lays out and paints only what is on screen, so
// tens of thousands of rows stay fast.
//
// Notifications (sender: the list unless stated):
//   "itemselect"        the selection changed by the user or SelectItem; wParam new index,
//                        lParam old index (-1 for none)
//   "itemclick"         a row was clicked; sender the row, wParam its index
//   "list_item_dbclick" a row was double-clicked; wParam its index, lParam the row
//                        (CControlUI*)
//   "list_check_click"  a row's check box was clicked and changed; wParam the row's index,
//                        lParam the row (CControlUI*); the row's GetCheckState is the new state
//   "headerclick"       a header item was clicked; sender the header item
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/ButtonUI.h"
#include "ui/LayoutsUI.h"

namespace zbe {

class CListUI;
class CListBodyUI;
class CListHeaderUI;

// Look of rows shared through their list.
struct TListInfoUI {
  int font = -1;
  uint32_t textStyle = UIText::kVCenter | UIText::kSingleLine | UIText::kEndEllipsis;
  UIRect textPadding{8, 0, 8, 0};
  UIColor textColor = 0;
  UIColor bkColor = 0;
  UIColor altBkColor = 0;  // every second row, when set
  UIColor selectedTextColor = 0;
  UIColor selectedBkColor = 0xFFDCEBFB;
  UIColor hotTextColor = 0;
  UIColor hotBkColor = 0xFFF1F5F9;
  UIColor disabledTextColor = 0;
  UIColor lineColor = 0xFFE5E9EF;
  std::string bkImage;
  std::string selectedImage;
  std::string hotImage;
  bool showRowLine = false;
  bool showColumnLine = false;
  bool showHtml = false;
  int itemHeight = 28;  // rows without their own height
  // Check-box column: its index (-1: none) and the images of the three states ("" draws the
  // built-in box).
  int checkColumn = -1;
  std::string uncheckImage;
  std::string checkImage;
  std::string halfCheckImage;
  // Column rectangles of the last layout, one per header item (empty for hidden columns);
  // rows use their left and right.
  std::vector<UIRect> columns;
};

// What every row of a list is.
class IListItemUI {
 public:
  virtual ~IListItemUI() = default;
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int index) = 0;
  virtual CListUI* GetOwner() const = 0;
  virtual void SetOwner(CListUI* owner) = 0;
  virtual bool IsSelected() const = 0;
  // Changes the look only; CListUI::SelectItem is what selects.
  virtual void SetSelectedState(bool selected) = 0;
};

class CListHeaderItemUI : public CButtonUI {
 public:
  CListHeaderItemUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return false; }
  // Whether the right edge can be dragged to resize the column (fixed-width columns only).
  void SetDragable(bool on) { dragable_ = on; }
  int GetSepWidth() const { return sepWidth_; }
  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(CRenderUI& render) override;
  void PaintBorder(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;
  UICursor GetCursor() const override { return sepHot_ ? UICursor::kSizeWE : UICursor::kArrow; }
  bool Activate() override;

 private:
  bool InSeparator(UIPoint pt) const;
  bool sepHot_ = false;
  bool dragable_ = true;
  int sepWidth_ = 4;
  int dragStartX_ = -1;
  int dragStartWidth_ = 0;
  UIColor sepColor_ = 0xFFE2E6EC;
};

class CListHeaderUI : public CHorizontalLayoutUI {
 public:
  CListHeaderUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  // Width the columns need: the sum of fixed widths and the minimum of flexible ones.
  int GetRequiredWidth() const;
  // Hidden for good (header="hidden" on the list), whatever items it gets.
  bool forceHidden_ = false;
};

class CListBodyUI : public CVerticalLayoutUI {
 public:
  explicit CListBodyUI(CListUI* owner);
  std::string GetClass() const override;
  CControlUI* FindControl(FindControlProc proc, void* data, uint32_t flags) override;
  // Index of the first row whose bottom lies below "y" (client coordinates).
  int RowAtOrBelow(int y) const;
  void SetPos(const UIRect& rc) override;
  void DoEvent(TEventUI& event) override;

 protected:
  UISize LayoutChildren(const UIRect& inner) override;
  void PaintChildren(CRenderUI& render, const UIRect& rcPaint) override;

 private:
  CListUI* owner_;
};

class CListUI : public CVerticalLayoutUI {
 public:
  CListUI();
  ~CListUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return true; }

  CListHeaderUI* GetHeader() const { return header_; }
  CListBodyUI* GetList() const { return body_; }
  TListInfoUI* GetListInfo() { return &info_; }
  const TListInfoUI* GetListInfo() const { return &info_; }

  // Rows. A header item goes to the header; any other control becomes a row (list elements
  // learn their index and owner).
  int GetCount() const override;
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(const CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  bool Add(std::unique_ptr<CControlUI> control) override;
  bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
  // Rows only: returns false, adding nothing, for a header or header item among them.
  bool AddRangeAt(std::vector<std::unique_ptr<CControlUI>> controls, int index) override;
  bool Remove(CControlUI* control) override;
  bool RemoveAt(int index) override;
  // Removes every row (not the header); the selection becomes -1.
  void RemoveAll() override;
  std::unique_ptr<CControlUI> Detach(CControlUI* control) override;

  int GetCurSel() const { return curSel_; }
  // Selects row "index" (-1: none), scrolls it into view and, with "notify", sends
  // "itemselect". Returns false for an index out of range or a hidden or disabled row.
  virtual bool SelectItem(int index, bool takeFocus = false, bool notify = true);
  // Scrolls so that row "index" is fully visible.
  void EnsureVisible(int index);
  // Scrolls by whole pixels (vertical).
  void SetScrollPos(UISize pos);
  UISize GetScrollPos() const;
  UISize GetScrollRange() const;

  // Shortcuts for the row look.
  void SetItemHeight(int px);
  void SetCheckColumn(int column);
  void SetItemTextStyle(uint32_t style);
  void SetItemFont(int font);

  // Column of the header at window x coordinate "x", or -1.
  int ColumnAt(int x) const;
  // Places the header over the body's horizontal scroll position and records the columns.
  void SyncHeader();

  void SetPos(const UIRect& rc) override;
  void DoEvent(TEventUI& event) override;
  void PaintBkColor(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // Rows call these.
  void OnItemClick(CControlUI* item, int index);
  void OnItemDoubleClick(CControlUI* item, int index);
  void OnItemCheckClick(CControlUI* item, int index);
  // Index of the first visible row after (or before, for negative "step") "from".
  int NextSelectableRow(int from, int step) const;

 protected:
  // Keeps indexes right after rows were inserted or removed at "from".
  void ReindexFrom(int from);
  void AfterRowRemoved(int index);
  CListHeaderUI* header_ = nullptr;  // owned by the list as child 0
  CListBodyUI* body_ = nullptr;      // owned by the list as child 1
  TListInfoUI info_;
  int curSel_ = -1;
};

}  // namespace zbe
