#include "ui/TreeViewUI.h"

#include "ui/AttributeValues.h"
#include "ui/ImageNotation.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {

// --- CTreeViewUI
// ----------------------------------------------------------------------------------

CTreeViewUI::CTreeViewUI() {
  info_.itemHeight = 30;
  info_.textPadding = UIRect{4, 0, 4, 0};
}

std::string CTreeViewUI::GetClass() const {
  return "TreeViewUI";
}

void* CTreeViewUI::GetInterface(std::string_view name) {
  if (name == "TreeView")
    return this;
  return CListUI::GetInterface(name);
}

bool CTreeViewUI::Add(std::unique_ptr<CControlUI> control) {
  auto* node = dynamic_cast<CTreeNodeUI*>(control.get());
  if (node == nullptr)
    return false;  // a tree holds nodes only
  control.release();
  return AddNode(std::unique_ptr<CTreeNodeUI>(node), nullptr) != nullptr;
}

bool CTreeViewUI::AddAt(std::unique_ptr<CControlUI> control, int /*index*/) {
  // Rows of a tree follow its structure; a position among them means nothing.
  return Add(std::move(control));
}

CTreeNodeUI* CTreeViewUI::AddNode(std::unique_ptr<CTreeNodeUI> node, CTreeNodeUI* parent) {
  if (!node)
    return nullptr;
  if (parent != nullptr && parent->GetTreeView() != this)
    return nullptr;
  CTreeNodeUI* raw = node.get();
  InsertSubtree(std::move(node), parent);
  return raw;
}

int CTreeViewUI::SubtreeEnd(const CTreeNodeUI* node) const {
  int end = GetItemIndex(node) + 1;
  for (int i = 0; i < node->GetCountChild(); ++i) {
    const CTreeNodeUI* child = node->GetChildNode(i);
    if (child != nullptr && child->GetTreeView() == this)
      end = std::max(end, SubtreeEnd(child));
  }
  return end;
}

void CTreeViewUI::InsertSubtree(std::unique_ptr<CTreeNodeUI> node, CTreeNodeUI* parent) {
  CTreeNodeUI* raw = node.get();
  const int pos = parent != nullptr ? SubtreeEnd(parent) : GetCount();
  raw->SetParentNode(parent);
  std::vector<std::unique_ptr<CTreeNodeUI>> pending = raw->TakePendingChildren();
  CListUI::AddAt(std::move(node), pos);
  if (parent != nullptr)
    parent->AppendChildLink(raw);
  if (!folderAttr_.empty())
    raw->GetFolderButton()->ApplyAttributeList(folderAttr_);
  if (!checkBoxAttr_.empty())
    raw->GetCheckBox()->ApplyAttributeList(checkBoxAttr_);
  if (!itemAttr_.empty())
    raw->item_->ApplyAttributeList(itemAttr_);
  if (!defaultCheckVisible_)
    raw->SetVisibleCheckBtn(false);
  if (!defaultFolderVisible_)
    raw->SetVisibleFolderBtn(false);
  raw->ApplyIndent();
  raw->UpdateSubtreeVisibility();
  for (auto& child : pending)
    InsertSubtree(std::move(child), raw);
}

bool CTreeViewUI::Remove(CControlUI* control) {
  auto* node = dynamic_cast<CTreeNodeUI*>(control);
  if (node == nullptr || node->GetTreeView() != this)
    return false;
  RemoveSubtree(node);
  return true;
}

bool CTreeViewUI::RemoveAt(int index) {
  return Remove(GetItemAt(index));
}

void CTreeViewUI::RemoveSubtree(CTreeNodeUI* node) {
  const int first = GetItemIndex(node);
  const int end = SubtreeEnd(node);
  CTreeNodeUI* parent = node->GetParentNode();
  for (int i = end - 1; i >= first; --i)
    CListUI::RemoveAt(i);
  if (parent != nullptr)
    parent->ForgetChild(node);
}

void CTreeViewUI::RemoveAll() {
  CListUI::RemoveAll();
}

int CTreeViewUI::GetRootCount() const {
  int n = 0;
  for (int i = 0; i < GetCount(); ++i) {
    auto* node = static_cast<CTreeNodeUI*>(GetItemAt(i));
    if (node->GetParentNode() == nullptr)
      ++n;
  }
  return n;
}

CTreeNodeUI* CTreeViewUI::GetRootNode(int index) const {
  for (int i = 0; i < GetCount(); ++i) {
    auto* node = static_cast<CTreeNodeUI*>(GetItemAt(i));
    if (node->GetParentNode() == nullptr && index-- == 0)
      return node;
  }
  return nullptr;
}

CTreeNodeUI* CTreeViewUI::GetSelectedNode() const {
  return curSel_ >= 0 ? static_cast<CTreeNodeUI*>(GetItemAt(curSel_)) : nullptr;
}

bool CTreeViewUI::SelectNode(CTreeNodeUI* node, bool notify) {
  if (node == nullptr)
    return SelectItem(-1, false, notify);
  return SelectItem(GetItemIndex(node), false, notify);
}

void CTreeViewUI::SetIndent(int px) {
  indent_ = std::max(0, px);
  for (int i = 0; i < GetCount(); ++i)
    static_cast<CTreeNodeUI*>(GetItemAt(i))->ApplyIndent();
}

void CTreeViewUI::RecomputeAncestors(CTreeNodeUI* node) {
  for (CTreeNodeUI* p = node->GetParentNode(); p != nullptr; p = p->GetParentNode()) {
    int checked = 0, half = 0;
    const int n = p->GetCountChild();
    for (int i = 0; i < n; ++i) {
      UICheckState s = p->GetChildNode(i)->GetCheckState();
      if (s == UICheckState::kChecked)
        ++checked;
      else if (s == UICheckState::kHalfChecked)
        ++half;
    }
    p->SetCheckState(checked == n && n > 0  ? UICheckState::kChecked
                     : (checked + half) > 0 ? UICheckState::kHalfChecked
                                            : UICheckState::kUnchecked);
  }
}

void CTreeViewUI::NodeCheckChanged(CTreeNodeUI* node) {
  if (linkChecks_) {
    const UICheckState state = node->GetCheckState();
    const int first = GetItemIndex(node);
    const int end = SubtreeEnd(node);
    for (int i = first + 1; i < end; ++i)
      static_cast<CTreeNodeUI*>(GetItemAt(i))->SetCheckState(state);
    RecomputeAncestors(node);
  }
  if (manager_ != nullptr) {
    manager_->SendNotify(node, UINotify::kCheckBoxSelectChanged,
                         static_cast<uintptr_t>(node->GetCheckState()));
  }
}

void CTreeViewUI::NodeExpandChanged(CTreeNodeUI* node, bool notify) {
  NeedUpdate();
  // A selected row that disappears gives up the selection.
  if (CTreeNodeUI* sel = GetSelectedNode(); sel != nullptr && !sel->IsVisible()) {
    SelectItem(GetItemIndex(node), false, true);
  }
  if (notify && manager_ != nullptr) {
    manager_->SendNotify(node, UINotify::kItemExpand, node->IsExpanded() ? 1 : 0);
  }
}

void CTreeViewUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kKeyDown && IsEnabled()) {
    CTreeNodeUI* sel = GetSelectedNode();
    if (sel != nullptr) {
      switch (event.chKey) {
        case UIKey::kLeft:
          if (sel->IsExpanded() && sel->GetCountChild() > 0)
            sel->SetExpanded(false, true);
          else if (sel->GetParentNode() != nullptr)
            SelectNode(sel->GetParentNode());
          return;
        case UIKey::kRight:
          if (!sel->IsExpanded() && sel->GetCountChild() > 0)
            sel->SetExpanded(true, true);
          else if (sel->GetCountChild() > 0)
            SelectNode(sel->GetChildNode(0));
          return;
        case UIKey::kSpace:
          if (sel->GetVisibleCheckBtn())
            sel->OnCheckClicked();
          return;
        default:
          break;
      }
    }
  }
  CListUI::DoEvent(event);
}

bool CTreeViewUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  if (name == "indent") {
    if (ParseUIInt(value, &n))
      SetIndent(n);
  } else if (name == "linkcheck") {
    SetLinkedChecks(ParseUIBool(value));
  } else if (name == "visiblecheckbtn") {
    defaultCheckVisible_ = ParseUIBool(value);
  } else if (name == "visiblefolderbtn") {
    defaultFolderVisible_ = ParseUIBool(value);
  } else if (name == "folderattr") {
    folderAttr_ = value;
  } else if (name == "checkboxattr") {
    checkBoxAttr_ = value;
  } else if (name == "itemattr") {
    itemAttr_ = value;
  } else {
    return CListUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace zbe
