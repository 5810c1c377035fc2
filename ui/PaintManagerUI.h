// CPaintManagerUI: the heart of one window. It owns the window's control tree, finds controls
// by name and by point, routes input to controls and notifications to the window or to the page
// (virtual window) a control belongs to, keeps the fonts, default attributes and styles of the
// window's layout, runs per-control timers, tracks focus, and lays out and paints the tree.
// UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/ControlUI.h"
#include "ui/UIDefs.h"

namespace zbe {

class CRenderUI;
class CWindowWnd;

struct UIFontSpec {
  std::string family = "DejaVu Sans";
  int size = 13;  // pixel height of the em box
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// What a paint manager needs from the surface it draws on (a window, or nothing in tests that
// only lay out).
class IUIHost {
 public:
  virtual ~IUIHost() = default;
  virtual void HostInvalidate(const UIRect& rc) = 0;
  virtual void HostSetCursor(UICursor cursor) = 0;
  // Runs "task" later on the UI thread; false when the host is gone.
  virtual bool HostPostTask(std::function<void()> task) = 0;
  virtual UIPoint HostClientToScreen(UIPoint pt) = 0;
  // Text input (input methods) is wanted while an edit control has the focus.
  virtual void HostSetTextInput(bool on) = 0;
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // The window this manager draws, or null. Set by CWindowWnd.
  CWindowWnd* GetWindow() const { return window_; }
  void SetWindow(CWindowWnd* window, IUIHost* host);

  // --- the control tree ----------------------------------------------------------------------
  // Makes "root" the window's tree (the previous one is destroyed) and initialises it.
  // Returns false for a null root.
  bool AttachDialog(std::unique_ptr<CControlUI> root);
  // Takes the tree away from the manager (the controls are detached from it).
  std::unique_ptr<CControlUI> DetachRoot();
  CControlUI* GetRoot() const { return root_.get(); }

  // The first attached control named "name", or null.
  CControlUI* FindControl(const std::string& name) const;
  template <class T>
  T* Find(const std::string& name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // The top-most visible control at "pt" (client coordinates), or null.
  CControlUI* FindControl(UIPoint pt) const;
  // The first control named "name" in the subtree of "parent" (itself included), or null.
  CControlUI* FindSubControlByName(CControlUI* parent, const std::string& name) const;
  // Kept up to date by the controls as they are named, attached and destroyed.
  void RegisterName(CControlUI* control);
  void UnregisterName(CControlUI* control);

  // --- notifications -------------------------------------------------------------------------
  // Notifiers receive every notification that does not belong to a registered page. The
  // pointer must stay valid until it is removed or the manager is destroyed.
  void AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  // Registers "page" under "name": notifications of controls inside a container whose
  // virtualwnd attribute is "name" go to "page" only. Returns false when the name is empty or
  // taken. The page must stay valid until it is removed.
  bool AddVirtualWnd(const std::string& name, INotifyUI* page);
  bool RemoveVirtualWnd(const std::string& name);
  INotifyUI* GetVirtualWnd(const std::string& name) const;
  // Delivers "msg" (its sVirtualWnd and timestamp are filled in here). With "async" the
  // delivery happens after the current event, in order with other posted work.
  void SendNotify(TNotifyUI& msg, bool async = false);
  void SendNotify(CControlUI* sender, const char* type, uintptr_t wParam = 0, intptr_t lParam = 0,
                  bool async = false);

  // --- window settings of the layout's <Window> element -------------------------------------
  UISize GetInitSize() const { return initSize_; }
  void SetInitSize(UISize size) { initSize_ = size; }
  // The caption area: left, top and right margins, and its height as "bottom" (a negative or
  // zero right margin counts from the right edge, as layouts write it).
  const UIRect& GetCaptionRect() const { return caption_; }
  void SetCaptionRect(const UIRect& rc) { caption_ = rc; }
  const UIRect& GetSizeBox() const { return sizeBox_; }
  void SetSizeBox(const UIRect& rc) { sizeBox_ = rc; }
  UISize GetRoundCorner() const { return roundCorner_; }
  void SetRoundCorner(UISize size) { roundCorner_ = size; }
  UISize GetMinInfo() const { return minInfo_; }
  void SetMinInfo(UISize size) { minInfo_ = size; }
  UISize GetMaxInfo() const { return maxInfo_; }
  void SetMaxInfo(UISize size) { maxInfo_ = size; }
  UISize GetClientSize() const { return clientSize_; }
  // Called when the window is resized; lays the tree out again before the next paint.
  void SetClientSize(UISize size);

  // --- fonts, colours, defaults and styles ----------------------------------------------------
  void AddFont(int id, const UIFontSpec& font, bool isDefault);
  // The font "id", or the default font for an unknown id or -1.
  const UIFontSpec& GetFont(int id) const;
  int GetDefaultFontId() const { return defaultFont_; }
  UIColor GetDefaultFontColor() const { return defaultFontColor_; }
  void SetDefaultFontColor(UIColor c) { defaultFontColor_ = c; }
  UIColor GetDefaultDisabledColor() const { return disabledFontColor_; }
  void SetDefaultDisabledColor(UIColor c) { disabledFontColor_ = c; }
  UIColor GetDefaultSelectedBkColor() const { return selectedBkColor_; }
  void SetDefaultSelectedBkColor(UIColor c) { selectedBkColor_ = c; }
  // Attributes applied to every control of class "className" (layout name such as "Button")
  // that the layout builder creates, before the control's own attributes.
  void AddDefaultAttributeList(const std::string& className, const std::string& list);
  const std::string* GetDefaultAttributeList(const std::string& className) const;
  // Named attribute sets used with style="name".
  void AddStyle(const std::string& name, const std::string& list);
  const std::string* GetStyle(const std::string& name) const;

  // --- option groups (options of one group name are exclusive in a window) --------------------
  void AddOptionGroup(const std::string& group, CControlUI* option);
  void RemoveOptionGroup(const std::string& group, CControlUI* option);
  std::vector<CControlUI*> GetOptionGroup(const std::string& group) const;

  // --- focus ----------------------------------------------------------------------------------
  CControlUI* GetFocus() const { return focus_; }
  // Moves the keyboard focus to "control" (null: no control has it). Sends kKillFocus and
  // kSetFocus events and the "killfocus" and "setfocus" notifications.
  void SetFocus(CControlUI* control);
  // Moves the focus to the next (or previous) visible, enabled tab stop. Returns false when
  // there is none.
  bool SetNextTabControl(bool forward = true);
  CControlUI* GetHot() const { return hot_; }
  CControlUI* GetCapture() const { return capture_; }

  // --- timers ---------------------------------------------------------------------------------
  bool SetTimer(CControlUI* control, int id, int elapseMs);
  void KillTimer(CControlUI* control, int id);
  void KillTimers(CControlUI* control);
  // Called by the toolkit's timer scheduler when timer "id" of "control" is due.
  void FireTimer(CControlUI* control, int id);

  // --- layout and painting -------------------------------------------------------------------
  void NeedUpdate();
  bool IsUpdateNeeded() const { return updateNeeded_; }
  // Lays the tree out now if anything asked for it.
  void UpdateLayout();
  void Invalidate();
  void Invalidate(const UIRect& rc);
  // Lays out if needed, sends "windowinit" once, and paints the tree where it meets "rcPaint".
  void Paint(CRenderUI& render, const UIRect& rcPaint);
  // Sends "windowinit" (sender: the root) unless it was sent; lays the tree out first.
  void EnsureInitialized();
  bool IsInitialized() const { return initialized_; }

  // Size of "text" in font "font" (UIText flags; with kWordBreak wrapped at "width"). With
  // "markup" the text is read as TextMarkup.
  UISize MeasureText(const std::string& text, int font, uint32_t style, int width,
                     bool markup) const;
  // Size of a skin image, or 0,0 when it cannot be loaded.
  UISize GetImageSize(const std::string& file) const;
  int GetImageFrameCount(const std::string& file) const;
  int GetImageFrameDelay(const std::string& file, int frame) const;

  // --- input from the window (the toolkit's own windows and the test harness call these) ------
  void OnMouseMove(UIPoint pt, uint32_t mods);
  void OnMouseLeaveWindow();
  void OnButtonDown(UIPoint pt, uint32_t mods);
  void OnButtonUp(UIPoint pt, uint32_t mods);
  void OnDoubleClick(UIPoint pt, uint32_t mods);
  void OnRButtonDown(UIPoint pt, uint32_t mods);
  void OnWheel(UIPoint pt, int delta, uint32_t mods);
  // Returns true when a control used the key.
  bool OnKeyDown(uint32_t key, uint32_t mods);
  void OnChar(uint32_t codePoint, uint32_t mods);
  void OnWindowFocusLost();
  void OnWindowFocusGained();
  void SendEvent(CControlUI* control, TEventUI& event);

  // --- removal of controls ---------------------------------------------------------------------
  // Forgets every reference to "removed" and its subtree (hot, focus, capture, timers).
  void ReapObjects(CControlUI* removed);
  // Forgets the references to "control" alone (it is being destroyed).
  void ForgetControl(CControlUI* control);
  // Keeps a removed control alive until the current event is over, then destroys it.
  void AddDelayedCleanup(std::unique_ptr<CControlUI> control);
  // Destroys the controls kept by AddDelayedCleanup.
  void FlushDelayedCleanup();

  // Runs "task" after the current event (synchronously when there is no window).
  void PostTask(std::function<void()> task);
  UIPoint ClientToScreen(UIPoint pt) const;
  void SetCursor(UICursor cursor);

 private:
  void SetHot(CControlUI* control, UIPoint pt, uint32_t mods);
  // What a press or double click at "pt" does first: finishes pending removals, lays out and
  // makes the control at "pt" hot. Returns that control, or null when there is none.
  CControlUI* PressTarget(UIPoint pt, uint32_t mods);
  void DeliverNotify(TNotifyUI& msg);

  CWindowWnd* window_ = nullptr;
  IUIHost* host_ = nullptr;
  std::unique_ptr<CControlUI> root_;
  // Controls by name, in the order they were named; the first one answers FindControl.
  std::unordered_map<std::string, std::vector<CControlUI*>> names_;
  std::vector<INotifyUI*> notifiers_;
  std::map<std::string, INotifyUI*> virtualWnds_;
  std::vector<std::unique_ptr<CControlUI>> delayedCleanup_;
  bool cleanupPosted_ = false;

  UISize initSize_;
  UIRect caption_;
  UIRect sizeBox_;
  UISize roundCorner_;
  UISize minInfo_;
  UISize maxInfo_;
  UISize clientSize_;

  std::map<int, UIFontSpec> fonts_;
  int defaultFont_ = -1;
  UIFontSpec fallbackFont_;
  UIColor defaultFontColor_ = 0xFF1F2933;
  UIColor disabledFontColor_ = 0xFFA0A7B0;
  UIColor selectedBkColor_ = 0xFFDCEBFB;
  std::map<std::string, std::string> defaults_;
  std::map<std::string, std::string> styles_;
  std::map<std::string, std::vector<CControlUI*>> optionGroups_;

  CControlUI* focus_ = nullptr;
  CControlUI* hot_ = nullptr;
  CControlUI* capture_ = nullptr;  // control pressed with the left button
  UIPoint lastMouse_;
  bool updateNeeded_ = true;
  bool initialized_ = false;
  bool inLayout_ = false;
};

}  // namespace zbe
