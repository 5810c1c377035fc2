#include "app/CPopUpWnd.h"

namespace zbe {

int CPopUpWnd::DoModal(CWindowWnd* owner, const std::string& title, int width, int height) {
  if (!Create(owner, title, UIWindowKind::kPopup, UIRect{0, 0, width, height}))
    return -1;
  CenterWindow();
  return ShowModal();
}

bool CPopUpWnd::IsCaptionControl(CControlUI* control) const {
  const std::string cls = control->GetClass();
  return cls == "ButtonUI" || cls == "OptionUI" || cls == "TextUI" || cls == "FadeButtonUI";
}

bool CPopUpWnd::PreTranslateKey(uint32_t key, uint32_t /*mods*/) {
  if (key == UIKey::kReturn)
    return true;
  if (key == UIKey::kEscape) {
    OnEscape();
    return true;
  }
  return false;
}

}  // namespace zbe
