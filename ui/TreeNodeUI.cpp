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

}  // namespace zbe
