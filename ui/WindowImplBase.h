// WindowImplBase: a window whose controls come from a layout of the skin. Derived windows name
// their layout and class, create the application's own controls by layout class name, and
// handle notifications; the base handles the usual caption buttons by their names ("minbtn",
// "maxbtn", "restorebtn", "closebtn"), keeps "maxbtn" and "restorebtn" in step with the
// window's state, and maps the layout's caption area and size box onto moving and resizing.
#pragma once

#include <memory>
#include <string>

#include "ui/DialogBuilder.h"
#include "ui/WindowWnd.h"

namespace zbe {

class WindowImplBase : public CWindowWnd, public INotifyUI, public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override;

  // Creates the native window and builds the layout GetSkinFile() into it. The window takes
  // the layout's size unless "rc" gives one, never less than the layout's mininfo. Returns
  // false (with the reason on stderr) when the layout cannot be built.
  bool Create(CWindowWnd* owner, const std::string& title, UIWindowKind kind,
              const UIRect& rc = {}) override;

  // Default handling: clicks on the caption buttons; everything else is ignored.
  void Notify(TNotifyUI& msg) override;
  // Creates no control; derived windows return their own controls here.
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override;

 protected:
  // The layout file of the window, e.g. "xml/skin.xml".
  virtual std::string GetSkinFile() = 0;
  // Runs once the layout is built and attached, before the window is shown.
  virtual void InitWindow() {}
  // Classes of controls that keep the caption area's clicks for themselves instead of moving
  // the window. By default buttons, options, check boxes, edits and texts (and anything that
  // says it is one of them).
  virtual bool IsCaptionControl(CControlUI* control) const;

  bool OnCreate() override;
  UIHitTest HitTest(UIPoint pt) override;
  void OnWindowStateChanged() override;
};

}  // namespace zbe
