// The rows of a CListUI.
//   CListElementUI           base of drawn rows: index, owner, selected and hot look
//   CListLabelElementUI      one text across the row
//   CListTextElementUI       a text per column
//   CListImageTextElementUI  per column an icon and a text with its own alignment and colour, a
//                            check box in the list's check column, and a data pointer
//   CListContainerElementUI  a row made of controls (usually built from a layout file)
#pragma once

#include <string>
#include <vector>

#include "ui/LayoutsUI.h"
#include "ui/ListRowUI.h"
#include "ui/ListUI.h"

namespace zbe {

class CListElementUI : public CListRowUI<CControlUI> {
 public:
  CListElementUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  UISize EstimateSize(UISize available) override;
  void PaintBkColor(CRenderUI& render) override;
  void PaintBorder(CRenderUI& render) override;

 protected:
  // The owner's row look, or the look of a list with nothing set when the row has no owner.
  const TListInfoUI& ListInfoOrDefaults() const;
  // Text colour for the row's state.
  UIColor RowTextColor(UIColor own) const;
};

class CListLabelElementUI : public CListElementUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  void PaintText(CRenderUI& render) override;
};

class CListTextElementUI : public CListElementUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // Text of column "column" ("" when none).
  std::string GetText(int column) const;
  void SetText(int column, const std::string& text);
  std::string GetText() const override { return GetText(0); }
  void SetText(const std::string& text) override { SetText(0, text); }
  // Colour of every text of the row (0: the list's colour).
  void SetTextColor(UIColor c);
  UIColor GetTextColor() const { return textColor_; }

  void PaintText(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // Draws column "column" inside "rc" (the column's rectangle on this row).
  virtual void PaintCell(CRenderUI& render, int column, const UIRect& rc);
  UIRect CellRect(int column) const;

  std::vector<std::string> texts_;
  UIColor textColor_ = 0;
};

class CListImageTextElementUI : public CListTextElementUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // Icon of column "column" in the image notation; "selected" is used while the row is
  // selected ("" = the same). A notation without dest is drawn at the cell's left, centred
  // vertically, and the text follows it.
  void SetImage(int column, const std::string& normal, const std::string& selected = "");
  std::string GetImage(int column) const;
  // UIText flags of column "column" (replacing the list's for that column).
  void SetTextStyle(int column, uint32_t style);
  // Colour of column "column" (0: the row's or the list's).
  void SetColumnTextColor(int column, UIColor c);

  // The check box in the list's check column.
  UICheckState GetCheckState() const { return check_; }
  void SetCheckState(UICheckState state);
  bool GetCheck() const { return check_ != UICheckState::kUnchecked; }
  void SetCheck(bool check) {
    SetCheckState(check ? UICheckState::kChecked : UICheckState::kUnchecked);
  }
  void SetCheckVisible(bool visible);
  bool IsCheckVisible() const { return checkVisible_; }
  // Images of the three states for this row ("" keeps the list's).
  void SetCheckImages(const std::string& unchecked, const std::string& checked,
                      const std::string& halfChecked = "");
  // Rectangle of the check box after the last layout (client coordinates); empty when the
  // list has no check column or the row is not laid out.
  UIRect GetCheckBoxRect() const;

  // A pointer for the page's own use (the record the row shows); the row never uses it.
  void SetDataPtr(void* data) { data_ = data; }
  void* GetDataPtr() const { return data_; }

  void DoEvent(TEventUI& event) override;

 protected:
  void PaintCell(CRenderUI& render, int column, const UIRect& rc) override;

 private:
  struct CellLook {
    std::string image;
    std::string selectedImage;
    uint32_t style = 0;
    bool hasStyle = false;
    UIColor color = 0;
  };
  CellLook* Look(int column);
  const CellLook* Look(int column) const;
  // The check box image for the current state: the row's own, else the list's ("info"; none
  // when null); "" for the built-in box.
  std::string CheckImage(const TListInfoUI* info) const;
  void PaintCheck(CRenderUI& render, const UIRect& box);

  std::vector<CellLook> looks_;
  std::string checkImages_[3];
  UICheckState check_ = UICheckState::kUnchecked;
  bool checkVisible_ = true;
  bool checkPressed_ = false;
  void* data_ = nullptr;
};

class CListContainerElementUI : public CListRowUI<CHorizontalLayoutUI> {
 public:
  CListContainerElementUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  UISize EstimateSize(UISize available) override;
  void PaintBkColor(CRenderUI& render) override;
  void PaintBorder(CRenderUI& render) override;
};

}  // namespace zbe
