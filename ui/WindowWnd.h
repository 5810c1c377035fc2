// CWindowWnd: a native top-level window drawn entirely by the toolkit (no platform frame). It
// owns the paint manager of its controls, receives window messages (PostMessage from any
// thread, delivered in order on the UI thread), can run modally with a result code, and maps
// its caption area and size box onto the platform's window moving and resizing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/PaintManagerUI.h"
#include "ui/UIDefs.h"

namespace zbe {

enum class UIWindowKind {
  kMain,   // an application window with a task bar entry
  kPopup,  // a dialog-like window above its owner (message boxes, progress windows)
  kMenu,   // a pop-up menu: closes when the user clicks elsewhere
};

// A handle through which any thread can post to a window. Posting to a window that has closed
// (or been destroyed) does nothing and returns false, so workers may keep the handle safely.
class UIPostTarget {
 public:
  struct Mailbox;
  UIPostTarget() = default;
  explicit UIPostTarget(std::shared_ptr<Mailbox> box) : box_(std::move(box)) {}
  bool PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0) const;
  bool PostTask(std::function<void()> task) const;
  bool IsAlive() const;

 private:
  std::shared_ptr<Mailbox> box_;
};

class CWindowWnd {
 public:
  CWindowWnd();
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  // Creates the native window titled "title" (hidden). "owner" (may be null) keeps the window
  // above it and is what CenterWindow centres on. "rc" is the screen rectangle; an empty size
  // lets the layout's size decide. Returns false when the window was already created.
  virtual bool Create(CWindowWnd* owner, const std::string& title, UIWindowKind kind,
                      const UIRect& rc = {});
  bool IsCreated() const;
  // The class name given by the window's implementation (for messages and lookups).
  virtual std::string GetWindowClassName() const { return "UIWindow"; }

  // Shows or hides the window. The first showing lays the controls out and sends "windowinit".
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window modally: the program's other windows take no input until it closes.
  // Returns the code given to Close, or -1 when the window was never created.
  int ShowModal();
  // Asks the window to close with "code" (posted, so it is safe inside a notification). OnClose
  // may refuse; otherwise the window is hidden, a modal run ends with "code", and
  // OnFinalMessage runs. A closed window cannot be shown again.
  void Close(int code = 1);
  bool IsClosed() const;
  // Centres the window on its owner, or on the screen without one.
  void CenterWindow();
  void SetTitle(const std::string& title);
  std::string GetTitle() const;
  // Sets the window's icon from skin image "file". Returns false when it cannot be loaded.
  bool SetIcon(const std::string& file);

  // Window rectangle in screen coordinates.
  UIRect GetWindowRect() const;
  void MoveWindow(const UIRect& rc);
  void ResizeClient(int cx, int cy);
  UIPoint ClientToScreen(UIPoint pt) const;
  void Minimize();
  void Maximize();
  void Restore();
  bool IsMaximized() const;
  bool IsMinimized() const;
  bool IsWindowVisible() const;
  // Brings the window to the front and gives it the keyboard focus.
  void Activate();
  CWindowWnd* GetOwner() const { return owner_; }

  // Posts window message "msg" (any thread). Messages and tasks posted to one window arrive in
  // the order they were posted, on the UI thread, at HandleMessage. Returns false when the
  // window is closed or not created.
  bool PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  // Posts "task" to run on the UI thread (any thread), in order with posted messages.
  bool PostTask(std::function<void()> task);
  // A handle for workers that may outlive the window.
  UIPostTarget GetPostTarget() const;
  // Handles "msg" at once (UI thread only). Returns HandleMessage's result.
  intptr_t SendMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

  CPaintManagerUI& GetManager() { return manager_; }

  struct Impl;
  Impl& GetImpl() const { return *impl_; }

  // Called by the toolkit's native window; not for pages.
  intptr_t DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
  UIHitTest DoHitTest(UIPoint pt) { return HitTest(pt); }
  bool DoPreTranslateKey(uint32_t key, uint32_t mods) { return PreTranslateKey(key, mods); }
  void DoWindowStateChanged() { OnWindowStateChanged(); }
  // The platform asked the window to close (a menu dismissed by a click elsewhere, the window
  // manager's close): menus end at once with 0, other windows are asked to Close(2).
  void NativeCloseRequested();
  UIWindowKind GetKind() const;

 protected:
  // Window messages, posted or sent. Set "handled" when the message was used. UIMsg::kClose
  // not handled here closes the window with wParam as the code.
  virtual intptr_t HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled);
  // Asked before the window closes with "code"; return false to keep it open.
  virtual bool OnClose(int code);
  // The window has closed; the object may be destroyed from here on (not inside this call).
  virtual void OnFinalMessage() {}
  // Where "pt" (client coordinates) lies for moving and resizing; kClient by default.
  virtual UIHitTest HitTest(UIPoint pt);
  // The key filter: sees every key-down before the controls; return true to swallow it.
  virtual bool PreTranslateKey(uint32_t key, uint32_t mods);
  // Runs after Create made the native window; WindowImplBase builds its layout here.
  virtual bool OnCreate() { return true; }
  // The window was maximised, restored or minimised.
  virtual void OnWindowStateChanged() {}

  CPaintManagerUI manager_;

 private:
  void FinishClose(int code);

  CWindowWnd* owner_ = nullptr;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zbe
