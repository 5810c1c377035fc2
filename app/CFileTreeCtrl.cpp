#include "app/CFileTreeCtrl.h"

#include "app/CSettings.h"
#include "app/CategoryView.h"
#include "records/CategoryTable.h"
#include "ui/PaintManagerUI.h"
#include "ui/TreeViewUI.h"

namespace zbe {
namespace {

constexpr char kFilterOn[] = "D";
constexpr char kFilterOff[] = "N";

// The label without its count: everything before the first "(".
std::string LabelName(const std::string& label) {
  return label.substr(0, label.find('('));
}

std::string IconOf(RecordCategory category) {
  const int x = ViewOf(category).iconLeft;
  return "file='Controls.png' source='" + std::to_string(x) + ",410," + std::to_string(x + 18) +
         ",428'";
}

}  // namespace

UICheckState ToUICheckState(CheckState state) {
  switch (state) {
    case CheckState::kChecked:
      return UICheckState::kChecked;
    case CheckState::kHalfChecked:
      return UICheckState::kHalfChecked;
    default:
      return UICheckState::kUnchecked;
  }
}

std::string CFileTreeCtrl::NodeName(RecordCategory category) const {
  std::string label = settings_.Text(LangSection::kPageScan, ViewOf(category).nodeKey);
  if (label.empty())
    label = std::string(CategoryInfo(category).treeLabel) + " (0)";
  return label;
}

void CFileTreeCtrl::Build(CPaintManagerUI& manager, const CategorySet& chosen) {
  nodes_.fill(nullptr);
  roots_.fill(nullptr);
  tree_ = manager.Find<CTreeViewUI>("NodeTree");
  if (tree_ == nullptr)
    return;
  tree_->RemoveAll();
  for (size_t r = 0; r < TreeRoots().size(); ++r) {
    const TreeRoot& group = TreeRoots()[r];
    auto root = std::make_unique<CTreeNodeUI>();
    const std::string text = settings_.Text(LangSection::kPageScan, group.key);
    root->SetItemText(text.empty() ? std::string(group.label) : text);
    root->SetItemFont(1);
    // Follows its shown nodes (UpdateRoot); with none shown there is nothing checked below it.
    root->SetCheckState(UICheckState::kUnchecked);
    bool any = false;
    for (size_t i = 0; i < group.count; ++i) {
      const RecordCategory category = group.categories[i];
      if (!chosen.Has(category))
        continue;
      auto node = std::make_unique<CTreeNodeUI>();
      node->SetItemText(NodeName(category));
      node->SetItemIcon(IconOf(category));
      node->SetCheckState(UICheckState::kChecked);
      node->SetUserData(kFilterOff);
      node->SetVisible(false);  // shown once its category has items
      nodes_[static_cast<size_t>(category)] = node.get();
      root->AddChildNode(std::move(node));
      any = true;
    }
    if (any) {
      roots_[r] = root.get();
      tree_->Add(std::move(root));
    }
  }
}

std::string CFileTreeCtrl::Name(RecordCategory category) const {
  std::string name = LabelName(NodeName(category));
  while (!name.empty() && name.back() == ' ')
    name.pop_back();
  return name;
}

CTreeNodeUI* CFileTreeCtrl::Node(RecordCategory category) const {
  return nodes_[static_cast<size_t>(category)];
}

std::optional<RecordCategory> CFileTreeCtrl::CategoryOf(const CTreeNodeUI* node) const {
  if (node == nullptr)
    return std::nullopt;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i] == node)
      return static_cast<RecordCategory>(i);
  }
  return std::nullopt;
}

bool CFileTreeCtrl::IsRoot(const CTreeNodeUI* node) const {
  return node != nullptr && (node == roots_[0] || node == roots_[1]);
}

std::vector<RecordCategory> CFileTreeCtrl::CategoriesUnder(const CTreeNodeUI* root) const {
  std::vector<RecordCategory> categories;
  for (size_t r = 0; r < roots_.size(); ++r) {
    if (roots_[r] != root || root == nullptr)
      continue;
    const TreeRoot& group = TreeRoots()[r];
    for (size_t i = 0; i < group.count; ++i) {
      if (Node(group.categories[i]) != nullptr)
        categories.push_back(group.categories[i]);
    }
  }
  return categories;
}

std::optional<RecordCategory> CFileTreeCtrl::SelectedCategory() const {
  return tree_ != nullptr ? CategoryOf(tree_->GetSelectedNode()) : std::nullopt;
}

bool CFileTreeCtrl::Select(RecordCategory category) {
  CTreeNodeUI* node = Node(category);
  if (tree_ == nullptr || node == nullptr || !node->IsVisible())
    return false;
  return tree_->SelectNode(node, true);
}

void CFileTreeCtrl::Show(RecordCategory category) {
  CTreeNodeUI* node = Node(category);
  if (node == nullptr)
    return;
  node->SetVisible(true);
  node->SetVisibleCheckBtn(true);
  if (CTreeNodeUI* root = node->GetParentNode())
    UpdateRoot(root);
}

void CFileTreeCtrl::Relabel(const std::array<size_t, kRecordCategoryCount>& counts) {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    CTreeNodeUI* node = nodes_[i];
    if (node == nullptr || !CategoryInfo(static_cast<RecordCategory>(i)).hasReader())
      continue;
    node->SetItemText(LabelName(node->GetItemText()) + "(" + std::to_string(counts[i]) + ")");
  }
}

void CFileTreeCtrl::ApplyTexts(const std::array<size_t, kRecordCategoryCount>& counts) {
  for (size_t r = 0; r < roots_.size(); ++r) {
    if (roots_[r] == nullptr)
      continue;
    const std::string text = settings_.Text(LangSection::kPageScan, TreeRoots()[r].key);
    roots_[r]->SetItemText(text.empty() ? std::string(TreeRoots()[r].label) : text);
  }
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (nodes_[i] != nullptr)
      nodes_[i]->SetItemText(NodeName(static_cast<RecordCategory>(i)));
  }
  Relabel(counts);
}

void CFileTreeCtrl::SetCheck(RecordCategory category, CheckState state) {
  CTreeNodeUI* node = Node(category);
  if (node == nullptr)
    return;
  node->SetCheckState(ToUICheckState(state));
  if (CTreeNodeUI* root = node->GetParentNode())
    UpdateRoot(root);
}

void CFileTreeCtrl::UpdateRoot(CTreeNodeUI* root) {
  bool anyChecked = false;
  bool allChecked = true;
  for (int i = 0; i < root->GetCountChild(); ++i) {
    CTreeNodeUI* child = root->GetChildNode(i);
    if (!child->IsVisible())
      continue;  // a category without items has nothing to check
    const UICheckState state = child->GetCheckState();
    anyChecked = anyChecked || state != UICheckState::kUnchecked;
    allChecked = allChecked && state == UICheckState::kChecked;
  }
  root->SetCheckState(!anyChecked  ? UICheckState::kUnchecked
                      : allChecked ? UICheckState::kChecked
                                   : UICheckState::kHalfChecked);
}

bool CFileTreeCtrl::IsFiltered(RecordCategory category) const {
  const CTreeNodeUI* node = Node(category);
  return node != nullptr && node->GetUserData() == kFilterOn;
}

void CFileTreeCtrl::SetFiltered(RecordCategory category, bool on) {
  if (CTreeNodeUI* node = Node(category))
    node->SetUserData(on ? kFilterOn : kFilterOff);
}

}  // namespace zbe
