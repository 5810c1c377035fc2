// CSpecifyFileVrtWnd: step 2, the kinds of data to read (virtual window "SpecifyFileVtrWnd").
#pragma once

#include <array>

#include "backup/CategorySet.h"
#include "records/CategoryTable.h"
#include "ui/UIDefs.h"

namespace zbe {

class CButtonUI;
class CCheckBoxUI;
class COptionUI;
class CScanVrtWnd;
class CSettings;
class CWindowWnd;

class CSpecifyFileVrtWnd : public INotifyUI {
 public:
  // "window" (the main window), "settings" and "scanPage" must outlive the page.
  CSpecifyFileVrtWnd(CWindowWnd& window, const CSettings& settings, CScanVrtWnd& scanPage);

  // At the main window's start: applies the texts of "PageSpecifyFile" and finds the fourteen
  // options, "ChkSelAll" and "BtnNext2".
  void Load();

  void Notify(TNotifyUI& msg) override;

  // Whether the option of "category" is checked (false before Load).
  bool IsChosen(RecordCategory category) const;
  // The checked options.
  CategorySet ChosenCategories() const;

  // Blocks "Next" and the steps' mouse input while a scan is being started, or releases both.
  void SetStarting(bool starting);

 private:
  // After an option changed: "select all" follows the options (half-checked for some) and
  // "Next" is usable exactly when one is checked.
  void Recompute();
  void SelectAll(bool checked);
  // "Next": asks for a password when needed and starts the scan.
  void Start();

  CWindowWnd& window_;
  const CSettings& settings_;
  CScanVrtWnd& scanPage_;
  std::array<COptionUI*, kRecordCategoryCount> options_{};  // in category order
  CCheckBoxUI* selectAll_ = nullptr;
  CButtonUI* next_ = nullptr;
};

}  // namespace zbe
