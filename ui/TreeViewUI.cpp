#include "ui/TreeViewUI.h"

#include "ui/AttributeValues.h"
#include "ui/ImageNotation.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {
namespace {

constexpr int kBoxSize = 16;
constexpr int kGap = 6;

// The expander: a chevron pointing right (collapsed) or down (expanded).
class CTreeFolderUI : public CCheckBoxUI {
 public:
  explicit CTreeFolderUI(CTreeNodeUI* node) : node_(node) {
    indicator_ = 0;
    fixedWidth_ = kBoxSize;
    fixedHeight_ = kBoxSize;
  }
  std::string GetClass() const override { return "TreeFolderUI"; }
  bool IsTabStop() const override { return false; }
  UICursor GetCursor() const override { return UICursor::kArrow; }
  bool Activate() override {
    if (!IsVisible() || !IsEnabled() || node_->GetCountChild() == 0)
      return false;
    node_->OnFolderClicked();
    return true;
  }
  void PaintStatusImage(CRenderUI& render) override {
    if (node_->GetCountChild() == 0)
      return;
    if (!normalImage_.empty() || !selectedImage_.empty()) {
      CCheckBoxUI::PaintStatusImage(render);
      return;
    }
    const UIRect& r = rcItem_;
    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    const UIColor color = (state_ & UIState::kHot) ? 0xFF1F2933 : 0xFF6B7685;
    if (IsSelected()) {
      const UIPoint pts[3] = {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 4, cy - 2}};
      render.DrawPolyline(pts, 3, 2, color);
    } else {
      const UIPoint pts[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
      render.DrawPolyline(pts, 3, 2, color);
    }
  }
  void PaintText(CRenderUI&) override {}

 private:
  CTreeNodeUI* node_;
};

class CTreeCheckUI : public CCheckBoxUI {
 public:
  explicit CTreeCheckUI(CTreeNodeUI* node) : node_(node) {
    fixedWidth_ = kBoxSize;
    fixedHeight_ = kBoxSize;
  }
  std::string GetClass() const override { return "TreeCheckBoxUI"; }
  bool IsTabStop() const override { return false; }
  UICursor GetCursor() const override { return UICursor::kArrow; }
  bool Activate() override {
    if (!IsVisible() || !IsEnabled())
      return false;
    node_->OnCheckClicked();
    return true;
  }
  void PaintText(CRenderUI&) override {}

 private:
  CTreeNodeUI* node_;
};

// The node's icon and text; clicks go through to the row.
class CTreeItemLabelUI : public CLabelUI {
 public:
  explicit CTreeItemLabelUI(CTreeNodeUI* node) : node_(node) {
    mouseEnabled_ = false;
    textStyle_ = UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis;
    textPadding_ = UIRect{kGap, 0, 4, 0};
  }
  std::string GetClass() const override { return "TreeItemUI"; }
  std::string icon_;

  void PaintText(CRenderUI& render) override {
    UIRect tr = rcItem_.Deflate(textPadding_);
    if (!icon_.empty()) {
      UIImageNotation n;
      UISize size;
      if (ParseImageNotation(icon_, &n)) {
        if (n.hasDest)
          size = UISize{n.dest.Width(), n.dest.Height()};
        else if (n.hasSource)
          size = UISize{n.source.Width(), n.source.Height()};
        else if (manager_ != nullptr)
          size = manager_->GetImageSize(n.file);
        const int top = rcItem_.top + (rcItem_.Height() - size.cy) / 2;
        UIRect box{tr.left, top, tr.left + size.cx, top + size.cy};
        UIRect item = n.hasDest ? box.Offset(-n.dest.left, -n.dest.top) : box;
        render.DrawImage(item, rcItem_, icon_);
        tr.left = box.right + kGap;
      }
    }
    const TListInfoUI* info = node_->GetOwner() ? node_->GetOwner()->GetListInfo() : nullptr;
    UIColor color = EffectiveTextColor();
    if (info != nullptr && IsEnabled()) {
      if (node_->IsSelected() && info->selectedTextColor)
        color = info->selectedTextColor;
      else if (textColor_ == 0 && info->textColor)
        color = info->textColor;
    }
    const int font = font_ >= 0 ? font_ : (info ? info->font : -1);
    if (showHtml_)
      render.DrawMarkupText(tr, text_, color, font, textStyle_);
    else
      render.DrawText(tr, text_, color, font, textStyle_);
  }

 private:
  CTreeNodeUI* node_;
};

}  // namespace

// --- CTreeNodeUI
// ----------------------------------------------------------------------------------

CTreeNodeUI::CTreeNodeUI() {
  childVAlign_ = 1;
  auto indent = std::make_unique<CControlUI>();
  indent->SetMouseEnabled(false);
  indent->SetFixedWidth(1);
  indent_ = indent.get();
  auto folder = std::make_unique<CTreeFolderUI>(this);
  folder_ = folder.get();
  folder_->SetCheck(true, false);
  auto check = std::make_unique<CTreeCheckUI>(this);
  check_ = check.get();
  check_->SetPadding(UIRect{4, 0, 0, 0});
  auto item = std::make_unique<CTreeItemLabelUI>(this);
  item_ = item.get();
  CHorizontalLayoutUI::Add(std::move(indent));
  CHorizontalLayoutUI::Add(std::move(folder));
  CHorizontalLayoutUI::Add(std::move(check));
  CHorizontalLayoutUI::Add(std::move(item));
}

CTreeNodeUI::~CTreeNodeUI() = default;

std::string CTreeNodeUI::GetClass() const {
  return "TreeNodeUI";
}

void* CTreeNodeUI::GetInterface(std::string_view name) {
  if (name == "TreeNode")
    return this;
  return CListContainerElementUI::GetInterface(name);
}

bool CTreeNodeUI::AddChildNode(std::unique_ptr<CTreeNodeUI> node) {
  if (!node)
    return false;
  if (CTreeViewUI* tree = GetTreeView()) {
    tree->InsertSubtree(std::move(node), this);
  } else {
    node->SetParentNode(this);
    pendingChildren_.push_back(std::move(node));
  }
  UpdateFolderVisibility();
  return true;
}

bool CTreeNodeUI::Add(std::unique_ptr<CControlUI> control) {
  if (!control)
    return false;
  if (auto* node = dynamic_cast<CTreeNodeUI*>(control.get())) {
    control.release();
    return AddChildNode(std::unique_ptr<CTreeNodeUI>(node));
  }
  return CHorizontalLayoutUI::Add(std::move(control));
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* node) {
  for (auto it = pendingChildren_.begin(); it != pendingChildren_.end(); ++it) {
    if (it->get() == node) {
      pendingChildren_.erase(it);
      UpdateFolderVisibility();
      return true;
    }
  }
  if (std::find(children_.begin(), children_.end(), node) == children_.end())
    return false;
  CTreeViewUI* tree = GetTreeView();
  return tree != nullptr && tree->Remove(node);
}

CTreeNodeUI* CTreeNodeUI::GetChildNode(int index) const {
  if (index < 0)
    return nullptr;
  if (index < static_cast<int>(children_.size()))
    return children_[index];
  index -= static_cast<int>(children_.size());
  if (index < static_cast<int>(pendingChildren_.size()))
    return pendingChildren_[index].get();
  return nullptr;
}

int CTreeNodeUI::GetTreeLevel() const {
  int level = 0;
  for (const CTreeNodeUI* p = parentNode_; p != nullptr; p = p->parentNode_)
    ++level;
  return level;
}

CTreeViewUI* CTreeNodeUI::GetTreeView() const {
  return owner_ ? static_cast<CTreeViewUI*>(owner_->GetInterface("TreeView")) : nullptr;
}

bool CTreeNodeUI::IsAncestorOf(const CTreeNodeUI* node) const {
  for (const CTreeNodeUI* p = node ? node->parentNode_ : nullptr; p != nullptr;
       p = p->parentNode_) {
    if (p == this)
      return true;
  }
  return false;
}

std::string CTreeNodeUI::GetItemText() const {
  return item_->GetText();
}

void CTreeNodeUI::SetItemText(const std::string& text) {
  item_->SetText(text);
}

void CTreeNodeUI::SetItemIcon(const std::string& image) {
  static_cast<CTreeItemLabelUI*>(item_)->icon_ = image;
  item_->Invalidate();
}

const std::string& CTreeNodeUI::GetItemIcon() const {
  return static_cast<CTreeItemLabelUI*>(item_)->icon_;
}

void CTreeNodeUI::SetItemTextColor(UIColor c) {
  item_->SetTextColor(c);
}

void CTreeNodeUI::SetItemFont(int font) {
  item_->SetFont(font);
}

void CTreeNodeUI::SetExpanded(bool expanded, bool notify) {
  if (expanded == expanded_)
    return;
  expanded_ = expanded;
  folder_->SetCheck(expanded, false);
  for (CTreeNodeUI* child : children_)
    child->UpdateSubtreeVisibility();
  if (CTreeViewUI* tree = GetTreeView())
    tree->NodeExpandChanged(this, notify);
}

void CTreeNodeUI::SetVisibleFolderBtn(bool visible) {
  folderVisible_ = visible;
  UpdateFolderVisibility();
}

void CTreeNodeUI::UpdateFolderVisibility() {
  folder_->SetVisible(folderVisible_);
}

void CTreeNodeUI::SetVisibleCheckBtn(bool visible) {
  checkVisible_ = visible;
  check_->SetVisible(visible);
}

UICheckState CTreeNodeUI::GetCheckState() const {
  return check_->GetCheckState();
}

void CTreeNodeUI::SetCheckState(UICheckState state) {
  check_->SetCheckState(state, false);
}

void CTreeNodeUI::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  CListContainerElementUI::SetVisible(visible);
  for (CTreeNodeUI* child : children_)
    child->UpdateSubtreeVisibility();
}

bool CTreeNodeUI::IsRowShown() const {
  return IsVisible();
}

void CTreeNodeUI::UpdateSubtreeVisibility() {
  bool shown = true;
  if (parentNode_ != nullptr) {
    shown = parentNode_->IsVisible() && parentNode_->IsExpanded();
  }
  CContainerUI::SetInternVisible(shown);
  NeedParentUpdate();
  for (CTreeNodeUI* child : children_)
    child->UpdateSubtreeVisibility();
}

std::vector<std::unique_ptr<CTreeNodeUI>> CTreeNodeUI::TakePendingChildren() {
  std::vector<std::unique_ptr<CTreeNodeUI>> out;
  out.swap(pendingChildren_);
  return out;
}

void CTreeNodeUI::ForgetChild(CTreeNodeUI* node) {
  children_.erase(std::remove(children_.begin(), children_.end(), node), children_.end());
  UpdateFolderVisibility();
}

void CTreeNodeUI::AppendChildLink(CTreeNodeUI* node) {
  children_.push_back(node);
  UpdateFolderVisibility();
}

void CTreeNodeUI::ApplyIndent() {
  const CTreeViewUI* tree = GetTreeView();
  const int step = tree ? tree->GetIndent() : 18;
  indent_->SetFixedWidth(std::max(1, GetTreeLevel() * step));
}

void CTreeNodeUI::OnCheckClicked() {
  SetCheckState(GetCheckState() == UICheckState::kChecked ? UICheckState::kUnchecked
                                                          : UICheckState::kChecked);
  if (CTreeViewUI* tree = GetTreeView())
    tree->NodeCheckChanged(this);
}

void CTreeNodeUI::OnFolderClicked() {
  SetExpanded(!expanded_, true);
}

void CTreeNodeUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CListContainerElementUI::SetManager(manager, parent, init);
}

void CTreeNodeUI::SetPos(const UIRect& rc) {
  CListContainerElementUI::SetPos(rc);
}

void CTreeNodeUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kDblClick && IsEnabled()) {
    if (!children_.empty())
      SetExpanded(!expanded_, true);
    if (owner_ != nullptr)
      owner_->OnItemDoubleClick(this, index_);
    return;
  }
  CListContainerElementUI::DoEvent(event);
}

bool CTreeNodeUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  if (name == "text")
    SetItemText(value);
  else if (name == "itemicon" || name == "icon")
    SetItemIcon(value);
  else if (name == "itemtextcolor") {
    if (ParseUIColor(value, &c))
      SetItemTextColor(c);
  } else if (name == "expanded" || name == "expand") {
    SetExpanded(ParseUIBool(value));
  } else if (name == "checked") {
    SetCheckState(ParseUIBool(value) ? UICheckState::kChecked : UICheckState::kUnchecked);
  } else if (name == "visiblecheckbtn") {
    SetVisibleCheckBtn(ParseUIBool(value));
  } else if (name == "visiblefolderbtn") {
    SetVisibleFolderBtn(ParseUIBool(value));
  } else if (name == "folderattr") {
    folder_->ApplyAttributeList(value);
  } else if (name == "checkboxattr") {
    check_->ApplyAttributeList(value);
  } else if (name == "itemattr") {
    item_->ApplyAttributeList(value);
  } else {
    return CListContainerElementUI::SetAttribute(name, value);
  }
  return true;
}

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
