// CFileTreeCtrl: the category tree of the scan page ("NodeTree"): two roots and a node per
// chosen category, each with its icon, a three-state check box, its count in its label and its
// filter state ("D": on, "N": off) in its user data. UI thread only.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "backup/CategorySet.h"
#include "export/CStatisticsObj.h"
#include "records/RecordCategory.h"
#include "ui/UIDefs.h"

namespace zbe {

class CPaintManagerUI;
class CSettings;
class CTreeNodeUI;
class CTreeViewUI;

class CFileTreeCtrl {
 public:
  // "settings" must outlive the tree part.
  explicit CFileTreeCtrl(const CSettings& settings) : settings_(settings) {}

  // Rebuilds the tree in "manager": the roots, and a hidden, checked node with the filter off
  // for each category of "chosen". No node is selected afterwards.
  void Build(CPaintManagerUI& manager, const CategorySet& chosen);

  // The node of "category" (null when it was not chosen or there is no tree).
  CTreeNodeUI* Node(RecordCategory category) const;
  // The category of "node"; nothing for a root or a control that is not one of the nodes.
  std::optional<RecordCategory> CategoryOf(const CTreeNodeUI* node) const;
  // Whether "node" is one of the two roots.
  bool IsRoot(const CTreeNodeUI* node) const;
  // The categories below "root" that have a node.
  std::vector<RecordCategory> CategoriesUnder(const CTreeNodeUI* root) const;

  // The name of the node of "category" in the current language, without its count.
  std::string Name(RecordCategory category) const;

  // The category whose node is selected, if any.
  std::optional<RecordCategory> SelectedCategory() const;
  // Selects the node of "category" (which shows its rows through "itemselect"). Returns false
  // when it has no visible node.
  bool Select(RecordCategory category);

  // Shows the node of "category" (with its check box and expander).
  void Show(RecordCategory category);
  // Sets every node's label to its name and "(count)" from "counts" (categories without a
  // reader keep the label they were given).
  void Relabel(const std::array<size_t, kRecordCategoryCount>& counts);
  // Puts the names of the current language on the roots and the nodes, keeping the counts.
  void ApplyTexts(const std::array<size_t, kRecordCategoryCount>& counts);

  // The node's check box shows "state"; its root follows its visible nodes.
  void SetCheck(RecordCategory category, CheckState state);

  // The filter state of a node ("D" on, "N" off); false for a category without a node.
  bool IsFiltered(RecordCategory category) const;
  void SetFiltered(RecordCategory category, bool on);

 private:
  std::string NodeName(RecordCategory category) const;
  void UpdateRoot(CTreeNodeUI* root);

  const CSettings& settings_;
  CTreeViewUI* tree_ = nullptr;
  std::array<CTreeNodeUI*, 2> roots_{};
  std::array<CTreeNodeUI*, kRecordCategoryCount> nodes_{};
};

// The check box state that shows "state".
UICheckState ToUICheckState(CheckState state);

}  // namespace zbe
