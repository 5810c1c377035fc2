// CPopUpWnd: the base of the application's modal pop-up windows (message boxes, the password
// window, the progress windows): created at the caller's size over an owner, centred on it and
// run modally until it ends with a result code.
#pragma once

#include <string>

#include "ui/WindowImplBase.h"

namespace zbe {

class CPopUpWnd : public WindowImplBase {
 public:
  std::string GetWindowClassName() const override { return "UIPopUpWnd"; }

  // Creates the window titled "title" over "owner" (may be null), "width" by "height" pixels,
  // centres it on its owner (or the screen) and runs it modally. Returns the code the window
  // ended with, or -1 when its layout cannot be built. A window runs once.
  int DoModal(CWindowWnd* owner, const std::string& title, int width, int height);

 protected:
  // In the caption area, controls other than buttons, options, texts and fade buttons move the
  // window.
  bool IsCaptionControl(CControlUI* control) const override;
  // Enter is swallowed; Escape goes to OnEscape.
  bool PreTranslateKey(uint32_t key, uint32_t mods) override;
  // Escape ends the window with 2 unless a derived window says otherwise.
  virtual void OnEscape() { Close(2); }
};

}  // namespace zbe
