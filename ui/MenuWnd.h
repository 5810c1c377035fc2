// Pop-up menus built from a layout:
//   <Window>
//     <Menu name="menu_assist">
//       <MenuElement name="item_help" text="Help"/>
//       <MenuElement name="item_language" text="Language">
//         <MenuElement name="English" text="English" checked="true"/>
//       </MenuElement>
//       <MenuElement line="true"/>
//     </Menu>
//   </Window>
// A menu element with sub-elements opens its submenu when the mouse rests on it. Clicking any
// other element closes the whole menu; TrackPopup returns the element's name and the menu's
// notifiers receive "itemclick" with the element as sender.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/ListElementUI.h"
#include "ui/WindowImplBase.h"

namespace zbe {

class CMenuUI;
class CMenuWnd;

class CMenuElementUI : public CListContainerElementUI {
 public:
  CMenuElementUI();
  ~CMenuElementUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // A menu element becomes a sub-element; any other control joins the element's row (a check
  // mark label, for example).
  bool Add(std::unique_ptr<CControlUI> control) override;
  bool AddSubItem(std::unique_ptr<CMenuElementUI> item);
  int GetSubItemCount() const;
  CMenuElementUI* GetSubItem(int index) const;
  // The submenu's container (always present; empty for a plain element).
  CMenuUI* GetSubMenu() const { return subMenuView_; }
  CMenuElementUI* GetParentElement() const { return parentElement_; }

  std::string GetText() const override { return text_; }
  void SetText(const std::string& text) override;
  bool IsChecked() const { return checked_; }
  // Draws the menu's check mark before the text.
  void SetChecked(bool checked);
  void SetIcon(const std::string& image);
  bool IsSeparator() const { return separator_; }

  UISize EstimateSize(UISize available) override;
  void DoEvent(TEventUI& event) override;
  void Paint(CRenderUI& render, const UIRect& rcPaint) override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // The submenu window takes the container while it is open and gives it back when it closes.
  std::unique_ptr<CMenuUI> TakeSubMenu();
  void ReturnSubMenu(std::unique_ptr<CMenuUI> menu);
  void SetParentElement(CMenuElementUI* parent) { parentElement_ = parent; }

 protected:
  UISize LayoutChildren(const UIRect& inner) override;

 private:
  std::unique_ptr<CMenuUI> subMenu_;  // held here while no submenu window shows it
  CMenuUI* subMenuView_ = nullptr;
  CMenuElementUI* parentElement_ = nullptr;
  std::string icon_;
  bool checked_ = false;
  bool separator_ = false;
};

class CMenuUI : public CVerticalLayoutUI {
 public:
  CMenuUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  // The element the menu belongs to as a submenu (null for the top menu).
  CMenuElementUI* GetOwnerElement() const { return ownerElement_; }
  void SetOwnerElement(CMenuElementUI* element) { ownerElement_ = element; }
  int GetItemHeight() const { return itemHeight_; }
  const std::string& GetCheckImage() const { return checkImage_; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  UISize EstimateSize(UISize available) override;
  void Paint(CRenderUI& render, const UIRect& rcPaint) override;

 private:
  CMenuElementUI* ownerElement_ = nullptr;
  int itemHeight_ = 30;
  std::string checkImage_;
};

class CMenuWnd : public WindowImplBase {
 public:
  class SubMenuWnd;

  CMenuWnd();
  ~CMenuWnd() override;

  // Builds the menu window from layout "xmlFile" above "owner". Returns false when the layout
  // cannot be built or holds no Menu.
  bool Init(CWindowWnd* owner, const std::string& xmlFile,
            IDialogBuilderCallback* callback = nullptr);
  CMenuUI* GetMenu() const { return menu_; }
  // The element named "name" at any depth, or null.
  CMenuElementUI* FindElement(const std::string& name) const;
  // Appends an element named "name" showing "text" to "parent"'s submenu (null: the top menu).
  CMenuElementUI* AddElement(CMenuElementUI* parent, const std::string& name,
                             const std::string& text);
  // Shows the menu at "screenPt" (kept on the screen) and waits for a click on an element or a
  // dismissal (Escape, a click elsewhere). Returns the clicked element's name, or "".
  std::string TrackPopup(UIPoint screenPt);
  CMenuElementUI* GetClickedElement() const { return clicked_; }

  std::string GetWindowClassName() const override { return "UIMenuWnd"; }
  void Notify(TNotifyUI& msg) override;
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override;

  // Called by elements.
  void OnElementClicked(CMenuElementUI* element);
  void OnElementHot(CMenuElementUI* element);
  // Opens the submenu of "element" (closing any other open one at that depth).
  void OpenSubMenu(CMenuElementUI* element);
  void CloseSubMenus(int fromDepth);
  int OpenSubMenuCount() const { return static_cast<int>(subWindows_.size()); }
  CWindowWnd* GetSubMenuWindow(int depth) const;

 protected:
  std::string GetSkinFile() override { return xmlFile_; }
  bool PreTranslateKey(uint32_t key, uint32_t mods) override;
  UIHitTest HitTest(UIPoint) override { return UIHitTest::kClient; }
  bool OnClose(int code) override;

 private:
  int Depth(const CMenuElementUI* element) const;
  std::string xmlFile_;
  IDialogBuilderCallback* callback_ = nullptr;
  CMenuUI* menu_ = nullptr;
  CMenuElementUI* clicked_ = nullptr;
  std::vector<std::unique_ptr<SubMenuWnd>> subWindows_;
  // Closed submenu windows, destroyed once no event of theirs can be running.
  std::vector<std::unique_ptr<SubMenuWnd>> closedWindows_;
  int keyIndex_ = -1;  // element chosen with the arrow keys
};

}  // namespace zbe
