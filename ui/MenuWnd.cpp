#include "ui/MenuWnd.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/AttributeValues.h"
#include "ui/ImageNotation.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {
namespace {

constexpr int kIconColumn = 30;   // space for an icon or a check mark before the text
constexpr int kArrowColumn = 26;  // space for the submenu arrow after the text
constexpr int kSeparatorHeight = 9;
constexpr UIColor kHotBk = 0xFFEEF2F7;
constexpr UIColor kTextColor = 0xFF1F2933;
constexpr UIColor kMutedColor = 0xFF6B7685;

CMenuUI* FindMenu(CControlUI* root) {
  if (root == nullptr)
    return nullptr;
  if (auto* m = static_cast<CMenuUI*>(root->GetInterface("Menu")))
    return m;
  auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
  if (container == nullptr)
    return nullptr;
  for (int i = 0; i < container->GetCount(); ++i) {
    if (CMenuUI* m = FindMenu(container->GetItemAt(i)))
      return m;
  }
  return nullptr;
}

CMenuElementUI* FindIn(CMenuUI* menu, const std::string& name) {
  if (menu == nullptr)
    return nullptr;
  for (int i = 0; i < menu->GetCount(); ++i) {
    auto* e = static_cast<CMenuElementUI*>(menu->GetItemAt(i)->GetInterface("MenuElement"));
    if (e == nullptr)
      continue;
    if (e->GetName() == name)
      return e;
    if (CMenuElementUI* r = FindIn(e->GetSubMenu(), name))
      return r;
  }
  return nullptr;
}

}  // namespace

// A submenu shown beside its element; belongs to the top menu window.
class CMenuWnd::SubMenuWnd : public CWindowWnd {
 public:
  SubMenuWnd(CMenuWnd* root, CMenuElementUI* element) : root_(root), element_(element) {}
  std::string GetWindowClassName() const override { return "UISubMenuWnd"; }
  CMenuWnd* root_;
  CMenuElementUI* element_;

 protected:
  bool PreTranslateKey(uint32_t key, uint32_t mods) override {
    return root_->PreTranslateKey(key, mods);
  }
  void OnFinalMessage() override {
    // Dismissed by the platform: give the items back to their element.
    if (GetManager().GetRoot() != nullptr) {
      std::unique_ptr<CControlUI> back = GetManager().DetachRoot();
      element_->ReturnSubMenu(std::unique_ptr<CMenuUI>(static_cast<CMenuUI*>(back.release())));
    }
  }
};

// --- CMenuElementUI
// -------------------------------------------------------------------------------

CMenuElementUI::CMenuElementUI() : subMenu_(std::make_unique<CMenuUI>()) {
  subMenuView_ = subMenu_.get();
  subMenu_->SetOwnerElement(this);
  inset_ = UIRect{8, 0, 0, 0};
  childVAlign_ = 1;
}

CMenuElementUI::~CMenuElementUI() = default;

std::string CMenuElementUI::GetClass() const {
  return "MenuElementUI";
}

void* CMenuElementUI::GetInterface(std::string_view name) {
  if (name == "MenuElement")
    return this;
  return CListContainerElementUI::GetInterface(name);
}

bool CMenuElementUI::Add(std::unique_ptr<CControlUI> control) {
  if (!control)
    return false;
  if (auto* item = dynamic_cast<CMenuElementUI*>(control.get())) {
    control.release();
    return AddSubItem(std::unique_ptr<CMenuElementUI>(item));
  }
  return CListContainerElementUI::Add(std::move(control));
}

bool CMenuElementUI::AddSubItem(std::unique_ptr<CMenuElementUI> item) {
  if (!item)
    return false;
  item->SetParentElement(this);
  return subMenuView_->Add(std::move(item));
}

int CMenuElementUI::GetSubItemCount() const {
  return subMenuView_->GetCount();
}

CMenuElementUI* CMenuElementUI::GetSubItem(int index) const {
  CControlUI* c = subMenuView_->GetItemAt(index);
  return c ? static_cast<CMenuElementUI*>(c->GetInterface("MenuElement")) : nullptr;
}

void CMenuElementUI::SetText(const std::string& text) {
  CListContainerElementUI::SetText(text);
  NeedParentUpdate();
}

void CMenuElementUI::SetChecked(bool checked) {
  checked_ = checked;
  Invalidate();
}

void CMenuElementUI::SetIcon(const std::string& image) {
  icon_ = image;
  Invalidate();
}

void CMenuElementUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CListContainerElementUI::SetManager(manager, parent, init);
  // The held submenu belongs to the same window until a submenu window shows it, so that
  // its elements can be found by name.
  if (subMenu_)
    subMenu_->SetManager(manager, this, init);
}

std::unique_ptr<CMenuUI> CMenuElementUI::TakeSubMenu() {
  if (subMenu_ && manager_ != nullptr)
    manager_->ReapObjects(subMenu_.get());
  if (subMenu_)
    subMenu_->SetManager(nullptr, nullptr, false);
  return std::move(subMenu_);
}

void CMenuElementUI::ReturnSubMenu(std::unique_ptr<CMenuUI> menu) {
  if (!menu)
    return;
  subMenu_ = std::move(menu);
  subMenuView_ = subMenu_.get();
  subMenu_->SetManager(manager_, this, true);
}

UISize CMenuElementUI::EstimateSize(UISize /*available*/) {
  if (separator_)
    return UISize{0, kSeparatorHeight};
  const auto* menu = dynamic_cast<const CMenuUI*>(parent_);
  int h = fixedHeight_ > 0 ? fixedHeight_ : (menu ? menu->GetItemHeight() : 30);
  int w = fixedWidth_;
  if (w == 0 && manager_ != nullptr) {
    w = manager_->MeasureText(text_, -1, UIText::kSingleLine, 0, false).cx + kIconColumn +
        kArrowColumn + 16;
  }
  return UISize{w, h};
}

UISize CMenuElementUI::LayoutChildren(const UIRect& inner) {
  // Controls added to the row (a check mark label) sit in the icon column.
  UIRect column{inner.left, inner.top, inner.left + kIconColumn - 8, inner.bottom};
  return CListContainerElementUI::LayoutChildren(column);
}

void CMenuElementUI::DoEvent(TEventUI& event) {
  CWindowWnd* wnd = manager_ ? manager_->GetWindow() : nullptr;
  CMenuWnd* root = dynamic_cast<CMenuWnd*>(wnd);
  if (root == nullptr) {
    if (auto* sub = dynamic_cast<CMenuWnd::SubMenuWnd*>(wnd))
      root = sub->root_;
  }
  switch (event.type) {
    case UIEventType::kMouseEnter:
      Invalidate();
      if (root != nullptr && !separator_ && IsEnabled())
        root->OnElementHot(this);
      return;
    case UIEventType::kMouseLeave:
      Invalidate();
      return;
    case UIEventType::kButtonDown:
    case UIEventType::kDblClick:
      return;
    case UIEventType::kButtonUp:
      if (root == nullptr || separator_ || !IsEnabled() || !rcItem_.Contains(event.ptMouse))
        return;
      if (GetSubItemCount() > 0)
        root->OpenSubMenu(this);
      else
        root->OnElementClicked(this);
      return;
    default:
      CListContainerElementUI::DoEvent(event);
  }
}

void CMenuElementUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  if (!rcItem_.Intersects(rcPaint))
    return;
  if (separator_) {
    const int y = rcItem_.top + rcItem_.Height() / 2;
    render.FillRect(UIRect{rcItem_.left + 8, y, rcItem_.right - 8, y + 1}, 0xFFE2E6EC);
    return;
  }
  bool hot = false;
  if (manager_ != nullptr) {
    for (CControlUI* c = manager_->GetHot(); c != nullptr; c = c->GetParent()) {
      if (c == this)
        hot = true;
    }
  }
  if ((hot && IsEnabled()) || (bkColor_ >> 24) != 0) {
    UIRect r{rcItem_.left + 2, rcItem_.top + 1, rcItem_.right - 2, rcItem_.bottom - 1};
    render.FillRoundRect(r, UISize{10, 10}, hot && IsEnabled() ? kHotBk : bkColor_);
  }
  const int cy = rcItem_.top + rcItem_.Height() / 2;
  if (!icon_.empty()) {
    UIRect box{rcItem_.left + 8, cy - 8, rcItem_.left + 24, cy + 8};
    UIImageNotation n;
    if (ParseImageNotation(icon_, &n) && n.hasDest)
      box = box.Offset(-n.dest.left, -n.dest.top);
    render.DrawImage(box, rcItem_, icon_);
  } else if (checked_) {
    const auto* menu = dynamic_cast<const CMenuUI*>(parent_);
    if (menu != nullptr && !menu->GetCheckImage().empty()) {
      render.DrawImage(UIRect{rcItem_.left + 8, cy - 8, rcItem_.left + 24, cy + 8}, rcItem_,
                       menu->GetCheckImage());
    } else {
      const int x = rcItem_.left + 10;
      const UIPoint tick[3] = {{x, cy}, {x + 4, cy + 4}, {x + 11, cy - 4}};
      render.DrawPolyline(tick, 3, 2, 0xFF2563EB);
    }
  }
  // Row controls (a check mark label, for example).
  PaintChildren(render, rcPaint);
  UIRect tr{rcItem_.left + kIconColumn, rcItem_.top, rcItem_.right - kArrowColumn, rcItem_.bottom};
  render.DrawText(tr, text_, IsEnabled() ? kTextColor : 0xFFA0A7B0, -1,
                  UIText::kSingleLine | UIText::kVCenter | UIText::kEndEllipsis);
  if (GetSubItemCount() > 0) {
    const int x = rcItem_.right - 16;
    const UIPoint arrow[3] = {{x - 2, cy - 4}, {x + 2, cy}, {x - 2, cy + 4}};
    render.DrawPolyline(arrow, 3, 2, kMutedColor);
  }
}

bool CMenuElementUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "checked")
    SetChecked(ParseUIBool(value));
  else if (name == "icon")
    SetIcon(value);
  else if (name == "line" || name == "separator")
    separator_ = ParseUIBool(value);
  else
    return CListContainerElementUI::SetAttribute(name, value);
  return true;
}

// --- CMenuUI
// --------------------------------------------------------------------------------------

CMenuUI::CMenuUI() {
  inset_ = UIRect{4, 4, 4, 4};
  bkColor_ = 0xFFFFFFFF;
  borderColor_ = 0xFFD5DBE3;
  borderSize_ = UIRect{1, 1, 1, 1};
}

std::string CMenuUI::GetClass() const {
  return "MenuUI";
}

void* CMenuUI::GetInterface(std::string_view name) {
  if (name == "Menu")
    return this;
  return CVerticalLayoutUI::GetInterface(name);
}

bool CMenuUI::SetAttribute(const std::string& name, const std::string& value) {
  int n = 0;
  if (name == "itemheight") {
    if (ParseUIInt(value, &n))
      itemHeight_ = std::max(8, n);
  } else if (name == "checkimage") {
    checkImage_ = value;
  } else {
    return CVerticalLayoutUI::SetAttribute(name, value);
  }
  return true;
}

UISize CMenuUI::EstimateSize(UISize /*available*/) {
  int w = 0, h = 0;
  for (auto& item : items_) {
    if (!item->IsVisible())
      continue;
    UISize s = item->EstimateSize(UISize{});
    w = std::max(w, s.cx);
    h += s.cy;
  }
  w = std::max(w, std::max(fixedWidth_, 140));
  return UISize{w + inset_.left + inset_.right, h + inset_.top + inset_.bottom};
}

void CMenuUI::Paint(CRenderUI& render, const UIRect& rcPaint) {
  CVerticalLayoutUI::Paint(render, rcPaint);
}

// --- CMenuWnd
// -------------------------------------------------------------------------------------

CMenuWnd::CMenuWnd() = default;

CMenuWnd::~CMenuWnd() {
  CloseSubMenus(0);
  closedWindows_.clear();
}

bool CMenuWnd::Init(CWindowWnd* owner, const std::string& xmlFile,
                    IDialogBuilderCallback* callback) {
  xmlFile_ = xmlFile;
  callback_ = callback;
  if (!Create(owner, "", UIWindowKind::kMenu, UIRect{}))
    return false;
  menu_ = FindMenu(manager_.GetRoot());
  return menu_ != nullptr;
}

std::unique_ptr<CControlUI> CMenuWnd::CreateControl(const std::string& className) {
  return callback_ != nullptr ? callback_->CreateControl(className) : nullptr;
}

CMenuElementUI* CMenuWnd::FindElement(const std::string& name) const {
  return FindIn(menu_, name);
}

CMenuElementUI* CMenuWnd::AddElement(CMenuElementUI* parent, const std::string& name,
                                     const std::string& text) {
  auto element = std::make_unique<CMenuElementUI>();
  element->SetName(name);
  element->SetText(text);
  CMenuElementUI* raw = element.get();
  if (parent != nullptr) {
    parent->AddSubItem(std::move(element));
  } else if (menu_ != nullptr) {
    menu_->Add(std::move(element));
  } else {
    return nullptr;
  }
  return raw;
}

std::string CMenuWnd::TrackPopup(UIPoint screenPt) {
  if (menu_ == nullptr || IsClosed())
    return {};
  clicked_ = nullptr;
  UISize size = menu_->EstimateSize(UISize{});
  UIRect rc{screenPt.x, screenPt.y, screenPt.x + size.cx, screenPt.y + size.cy};
  if (QScreen* screen = QGuiApplication::screenAt(QPoint(screenPt.x, screenPt.y))) {
    const QRect avail = screen->availableGeometry();
    // Keep the whole menu on the screen: open upwards or leftwards when needed.
    if (rc.right > avail.right() + 1)
      rc = rc.Offset(avail.right() + 1 - rc.right, 0);
    if (rc.bottom > avail.bottom() + 1)
      rc = rc.Offset(0, -size.cy);
    if (rc.left < avail.left())
      rc = rc.Offset(avail.left() - rc.left, 0);
    if (rc.top < avail.top())
      rc = rc.Offset(0, avail.top() - rc.top);
  }
  MoveWindow(rc);
  ShowModal();
  return clicked_ != nullptr ? clicked_->GetName() : std::string();
}

void CMenuWnd::Notify(TNotifyUI& /*msg*/) {}

int CMenuWnd::Depth(const CMenuElementUI* element) const {
  int depth = 0;
  for (const CMenuElementUI* p = element->GetParentElement(); p != nullptr;
       p = p->GetParentElement()) {
    ++depth;
  }
  return depth;
}

void CMenuWnd::OnElementClicked(CMenuElementUI* element) {
  if (IsClosed())
    return;
  clicked_ = element;
  manager_.SendNotify(element, UINotify::kItemClick);
  CloseSubMenus(0);
  Close(1);
}

void CMenuWnd::OnElementHot(CMenuElementUI* element) {
  const int depth = Depth(element);
  if (static_cast<int>(subWindows_.size()) > depth && subWindows_[depth]->element_ != element) {
    CloseSubMenus(depth);
  }
  if (element->GetSubItemCount() > 0)
    OpenSubMenu(element);
}

void CMenuWnd::OpenSubMenu(CMenuElementUI* element) {
  const int depth = Depth(element);
  if (static_cast<int>(subWindows_.size()) > depth && subWindows_[depth]->element_ == element)
    return;
  CloseSubMenus(depth);
  closedWindows_.clear();
  CWindowWnd* host = element->GetManager() ? element->GetManager()->GetWindow() : this;
  auto sub = std::make_unique<SubMenuWnd>(this, element);
  if (!sub->Create(host, "", UIWindowKind::kMenu, UIRect{}))
    return;
  std::unique_ptr<CMenuUI> items = element->TakeSubMenu();
  if (!items)
    return;
  const UISize size = items->EstimateSize(UISize{});
  sub->GetManager().AttachDialog(std::move(items));
  UIPoint at = element->GetManager()->ClientToScreen(
      UIPoint{element->GetPos().right - 2, element->GetPos().top - 4});
  sub->MoveWindow(UIRect{at.x, at.y, at.x + size.cx, at.y + size.cy});
  sub->ShowWindow(true, false);
  subWindows_.push_back(std::move(sub));
}

void CMenuWnd::CloseSubMenus(int fromDepth) {
  while (static_cast<int>(subWindows_.size()) > fromDepth) {
    std::unique_ptr<SubMenuWnd> sub = std::move(subWindows_.back());
    subWindows_.pop_back();
    if (sub->GetManager().GetRoot() != nullptr) {
      std::unique_ptr<CControlUI> back = sub->GetManager().DetachRoot();
      sub->element_->ReturnSubMenu(std::unique_ptr<CMenuUI>(static_cast<CMenuUI*>(back.release())));
    }
    sub->ShowWindow(false);
    // An event of this window may be running right now; destroy it later.
    closedWindows_.push_back(std::move(sub));
  }
}

CWindowWnd* CMenuWnd::GetSubMenuWindow(int depth) const {
  return depth >= 0 && depth < static_cast<int>(subWindows_.size()) ? subWindows_[depth].get()
                                                                    : nullptr;
}

bool CMenuWnd::PreTranslateKey(uint32_t key, uint32_t /*mods*/) {
  if (menu_ == nullptr)
    return false;
  std::vector<CMenuElementUI*> items;
  for (int i = 0; i < menu_->GetCount(); ++i) {
    auto* e = static_cast<CMenuElementUI*>(menu_->GetItemAt(i)->GetInterface("MenuElement"));
    if (e != nullptr && e->IsVisible() && e->IsEnabled() && !e->IsSeparator())
      items.push_back(e);
  }
  switch (key) {
    case UIKey::kEscape:
      CloseSubMenus(0);
      Close(0);
      return true;
    case UIKey::kDown:
    case UIKey::kUp:
      if (items.empty())
        return true;
      keyIndex_ = key == UIKey::kDown
                      ? (keyIndex_ + 1) % static_cast<int>(items.size())
                      : (keyIndex_ <= 0 ? static_cast<int>(items.size()) - 1 : keyIndex_ - 1);
      for (CMenuElementUI* e : items)
        e->SetBkColor(0);
      items[keyIndex_]->SetBkColor(kHotBk);
      return true;
    case UIKey::kReturn:
    case UIKey::kRight:
      if (keyIndex_ >= 0 && keyIndex_ < static_cast<int>(items.size())) {
        CMenuElementUI* e = items[keyIndex_];
        if (e->GetSubItemCount() > 0)
          OpenSubMenu(e);
        else if (key == UIKey::kReturn)
          OnElementClicked(e);
      }
      return true;
    default:
      return false;
  }
}

bool CMenuWnd::OnClose(int /*code*/) {
  CloseSubMenus(0);
  return true;
}

}  // namespace zbe
