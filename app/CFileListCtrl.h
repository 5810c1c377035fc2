// CFileListCtrl: the data list of the scan page ("DataList"): the rows of one category in that
// category's columns, each with its check box from the selection statistics; for App Photos
// and App Videos first one row per app, then one app's files. A row's index is its item's
// position in the category's container (or in the app's list), so rows need no pointers into
// the results. UI thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/CategoryView.h"
#include "export/CStatisticsObj.h"
#include "records/RecordCategory.h"
#include "records/ScanResults.h"

namespace zbe {

class CListUI;
class CPaintManagerUI;

class CFileListCtrl {
 public:
  enum class Mode {
    kEmpty,       // nothing shown
    kRows,        // the rows of a category (files, records, conversations)
    kAppFolders,  // App Photos or App Videos: one row per app
    kAppFiles,    // one app's files
  };

  // Finds "DataList" and its header items in "manager".
  void Find(CPaintManagerUI& manager);

  // Empties the list.
  void Clear();
  // Fills the list with the rows of "category" in "results" in its columns, each checked as
  // "selection" says; no rows when "filtered" (the filter lets no record through).
  void ShowCategory(const ScanResults& results, const CStatisticsObj& selection,
                    RecordCategory category, bool filtered);
  // Fills the list with the files of "app" of App Photos or App Videos.
  void ShowAppFiles(const ScanResults& results, const CStatisticsObj& selection,
                    RecordCategory category, const std::string& app);

  Mode mode() const { return mode_; }
  std::optional<RecordCategory> category() const { return category_; }
  // The app whose files are shown (kAppFiles), or of folder row "row" (kAppFolders); "" else.
  const std::string& app() const { return app_; }
  std::string AppOfRow(int row) const;
  int RowCount() const;

  // A click changed the check box of "row" to "checked": applies it to "selection". Returns
  // false when the row is not one of the shown ones.
  bool ApplyRowCheck(int row, bool checked, CStatisticsObj& selection) const;
  // Sets every row's check box from "selection" (after a category or folder was checked).
  void RefreshChecks(const CStatisticsObj& selection);

 private:
  void SetColumns(const ListLayout& layout);
  CheckState RowState(const CStatisticsObj& selection, int row) const;

  CListUI* list_ = nullptr;
  const ListLayout* layout_ = nullptr;
  Mode mode_ = Mode::kEmpty;
  std::optional<RecordCategory> category_;
  std::string app_;
  std::vector<std::string> folderApps_;  // kAppFolders: the app of each row
};

}  // namespace zbe
