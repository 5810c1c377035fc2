// CListRowUI<Base>: what every row of a CListUI keeps and does, whichever control it is built
// on (a drawn row on CControlUI, a row of controls on CHorizontalLayoutUI): its index, owner and
// selected look, and the mouse and key events it hands to its list.
#pragma once

#include <string_view>

#include "ui/ListUI.h"

namespace zbe {

template <class Base>
class CListRowUI : public Base, public IListItemUI {
 public:
  void* GetInterface(std::string_view name) override {
    if (name == "ListItem")
      return static_cast<IListItemUI*>(this);
    return Base::GetInterface(name);
  }

  int GetIndex() const override { return index_; }
  void SetIndex(int index) override { index_ = index; }
  CListUI* GetOwner() const override { return owner_; }
  void SetOwner(CListUI* owner) override { owner_ = owner; }
  bool IsSelected() const override { return selected_; }
  void SetSelectedState(bool selected) override {
    if (selected == selected_)
      return;
    selected_ = selected;
    this->Invalidate();
  }
  // Asks the owner to select this row. Returns false without an owner, else SelectItem's answer.
  bool Select(bool notify = true) {
    return owner_ != nullptr && owner_->SelectItem(index_, false, notify);
  }

  // A press and a double click go to the list (when the row is enabled), entering and leaving
  // repaint the hot look, and keys go to the list; everything else to Base.
  void DoEvent(TEventUI& event) override {
    switch (event.type) {
      case UIEventType::kButtonDown:
        if (this->IsEnabled() && owner_ != nullptr)
          owner_->OnItemClick(this, index_);
        return;
      case UIEventType::kDblClick:
        if (this->IsEnabled() && owner_ != nullptr)
          owner_->OnItemDoubleClick(this, index_);
        return;
      case UIEventType::kMouseEnter:
      case UIEventType::kMouseLeave:
        this->Invalidate();
        return;
      case UIEventType::kKeyDown:
        if (owner_ != nullptr)
          owner_->DoEvent(event);
        return;
      default:
        Base::DoEvent(event);
    }
  }

 protected:
  CListUI* owner_ = nullptr;
  int index_ = -1;
  bool selected_ = false;
};

}  // namespace zbe
