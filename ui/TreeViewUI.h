// CTreeViewUI and CTreeNodeUI: a tree drawn as list rows. Each node row shows an indent by
// level, an expander (when the node has children), a check box with three states, an icon and
// a text. Collapsing a node or hiding it hides its whole subtree.
//
// Notifications:
//   "itemselect"            sender the tree; wParam the new row index, lParam the old
//   "itemclick"             sender the node; wParam its row index
//   "itemexpand"            sender the node; wParam 1 when now expanded, 0 when collapsed
//   "checkboxselectchanged" sender the node; wParam its new UICheckState (as a number)
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/ListElementUI.h"
#include "ui/OptionUI.h"

namespace zbe {

class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
 public:
  CTreeNodeUI();
  ~CTreeNodeUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // --- the node's children ------------------------------------------------------------------
  // Adds "node" as this node's last child. Before the node is in a tree the child is kept and
  // enters the tree with it. Returns false for null.
  bool AddChildNode(std::unique_ptr<CTreeNodeUI> node);
  // A tree node goes in as a child node; any other control joins the row after the text.
  bool Add(std::unique_ptr<CControlUI> control) override;
  // Removes child "node" and its subtree.
  bool RemoveChildNode(CTreeNodeUI* node);
  int GetCountChild() const { return static_cast<int>(children_.size()); }
  CTreeNodeUI* GetChildNode(int index) const;
  CTreeNodeUI* GetParentNode() const { return parentNode_; }
  // 0 for a top-level node.
  int GetTreeLevel() const;
  CTreeViewUI* GetTreeView() const;
  // Whether "node" is below this node.
  bool IsAncestorOf(const CTreeNodeUI* node) const;

  // --- text and icon -----------------------------------------------------------------------
  std::string GetText() const override { return GetItemText(); }
  void SetText(const std::string& text) override { SetItemText(text); }
  std::string GetItemText() const;
  void SetItemText(const std::string& text);
  // Icon in the image notation, drawn before the text (its source size, centred).
  void SetItemIcon(const std::string& image);
  const std::string& GetItemIcon() const;
  void SetItemTextColor(UIColor c);
  void SetItemFont(int font);

  // --- expander ----------------------------------------------------------------------------
  bool IsExpanded() const { return expanded_; }
  // Shows or hides the children; "notify" sends "itemexpand".
  void SetExpanded(bool expanded, bool notify = false);
  // Whether the expander shows (it shows only while the node has children).
  void SetVisibleFolderBtn(bool visible);
  bool GetVisibleFolderBtn() const { return folderVisible_; }
  CCheckBoxUI* GetFolderButton() const { return folder_; }

  // --- check box ---------------------------------------------------------------------------
  void SetVisibleCheckBtn(bool visible);
  bool GetVisibleCheckBtn() const { return checkVisible_; }
  CCheckBoxUI* GetCheckBox() const { return check_; }
  UICheckState GetCheckState() const;
  // Sets the state without a notification.
  void SetCheckState(UICheckState state);
  bool IsChecked() const { return GetCheckState() != UICheckState::kUnchecked; }

  // --- visibility ----------------------------------------------------------------------------
  // Hiding a node hides its subtree as well.
  void SetVisible(bool visible) override;
  // Shown when the node and all its ancestors are visible and the ancestors are expanded.
  bool IsRowShown() const;

  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  void SetPos(const UIRect& rc) override;
  void DoEvent(TEventUI& event) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // The tree calls these.
  void SetParentNode(CTreeNodeUI* parent) { parentNode_ = parent; }
  std::vector<std::unique_ptr<CTreeNodeUI>> TakePendingChildren();
  void ForgetChild(CTreeNodeUI* node);
  void AppendChildLink(CTreeNodeUI* node);
  // Applies the effective visibility to the row and to every descendant row.
  void UpdateSubtreeVisibility();
  // The user clicked the check box or the expander.
  void OnCheckClicked();
  void OnFolderClicked();

 private:
  friend class CTreeViewUI;
  void UpdateFolderVisibility();
  void ApplyIndent();

  CTreeNodeUI* parentNode_ = nullptr;
  std::vector<CTreeNodeUI*> children_;                         // in the tree's body
  std::vector<std::unique_ptr<CTreeNodeUI>> pendingChildren_;  // until the node is in a tree
  CControlUI* indent_ = nullptr;
  CCheckBoxUI* folder_ = nullptr;
  CCheckBoxUI* check_ = nullptr;
  CLabelUI* item_ = nullptr;
  bool expanded_ = true;
  bool folderVisible_ = true;
  bool checkVisible_ = true;
};

class CTreeViewUI : public CListUI {
 public:
  CTreeViewUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // A tree node added to the tree becomes a top-level node (with its subtree); other controls
  // are refused.
  bool Add(std::unique_ptr<CControlUI> control) override;
  bool AddAt(std::unique_ptr<CControlUI> control, int index) override;
  // Removes a node with its subtree.
  bool Remove(CControlUI* control) override;
  bool RemoveAt(int index) override;
  void RemoveAll() override;
  // Inserts "node" as the last child of "parent" (null: top level). Returns the node.
  CTreeNodeUI* AddNode(std::unique_ptr<CTreeNodeUI> node, CTreeNodeUI* parent = nullptr);

  int GetRootCount() const;
  CTreeNodeUI* GetRootNode(int index) const;
  CTreeNodeUI* GetSelectedNode() const;
  bool SelectNode(CTreeNodeUI* node, bool notify = true);

  // Pixels of indent per level.
  int GetIndent() const { return indent_; }
  void SetIndent(int px);
  // When set, checking a node checks its subtree and recomputes its ancestors (three states).
  void SetLinkedChecks(bool on) { linkChecks_ = on; }
  bool IsLinkedChecks() const { return linkChecks_; }
  const std::string& GetFolderAttr() const { return folderAttr_; }
  const std::string& GetCheckBoxAttr() const { return checkBoxAttr_; }
  const std::string& GetItemAttr() const { return itemAttr_; }

  void DoEvent(TEventUI& event) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // Called by nodes.
  void InsertSubtree(std::unique_ptr<CTreeNodeUI> node, CTreeNodeUI* parent);
  void NodeCheckChanged(CTreeNodeUI* node);
  void NodeExpandChanged(CTreeNodeUI* node, bool notify);

 private:
  int SubtreeEnd(const CTreeNodeUI* node) const;
  void RemoveSubtree(CTreeNodeUI* node);
  void RecomputeAncestors(CTreeNodeUI* node);

  int indent_ = 18;
  bool linkChecks_ = false;
  bool defaultCheckVisible_ = true;
  bool defaultFolderVisible_ = true;
  std::string folderAttr_;
  std::string checkBoxAttr_;
  std::string itemAttr_;
};

}  // namespace zbe
