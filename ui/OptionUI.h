// COptionUI: a button with a selected state. Options sharing a "group" name in one window are
// exclusive: selecting one clears the others, and a click never clears the selected one. An
// option without a group toggles. A change of state sends "selectchanged" (wParam: 1 when now
// selected). CCheckBoxUI is an option without a group, with a half-checked look for "some of
// them" (halfcheckimage).
#pragma once

#include <string>

#include "ui/ButtonUI.h"

namespace zbe {

class COptionUI : public CButtonUI {
 public:
  COptionUI();
  ~COptionUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  const std::string& GetGroup() const { return group_; }
  void SetGroup(const std::string& group);
  bool IsSelected() const { return selected_; }
  // Sets the selected state; with "notify" a change sends "selectchanged". Selecting an option
  // of a group clears the group's other options (each sending its own "selectchanged").
  virtual void Selected(bool selected, bool notify = true);

  bool Activate() override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void PaintBkColor(CRenderUI& render) override;
  void PaintStatusImage(CRenderUI& render) override;
  void PaintText(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void DoInit() override;
  // Draws the built-in round or square indicator when the skin gives no images.
  virtual void PaintDefaultIndicator(CRenderUI& render);
  bool HasSelectedLook() const;

  std::string group_;
  bool selected_ = false;
  std::string selectedImage_;
  std::string selectedHotImage_;
  std::string selectedPushedImage_;
  std::string selectedDisabledImage_;
  std::string selectedForeImage_;
  UIColor selectedTextColor_ = 0;
  UIColor selectedBkColor_ = 0;
  UIColor selectedHotBkColor_ = 0;
  int indicator_ = 0;  // built-in look without images: 0 none, 1 radio, 2 check box, 3 switch
};

class CCheckBoxUI : public COptionUI {
 public:
  CCheckBoxUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  bool GetCheck() const { return IsSelected(); }
  void SetCheck(bool check, bool notify = true);
  // Half-checked is drawn over a checked box ("some, not all"). A click on it checks the box
  // fully (and sends "selectchanged" with wParam 1).
  bool IsHalfChecked() const { return halfChecked_; }
  void SetHalfChecked(bool half);
  UICheckState GetCheckState() const;
  void SetCheckState(UICheckState state, bool notify = true);

  void Selected(bool selected, bool notify = true) override;
  bool Activate() override;
  void PaintStatusImage(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void PaintDefaultIndicator(CRenderUI& render) override;

 private:
  bool halfChecked_ = false;
  std::string halfCheckImage_;
};

}  // namespace zbe
