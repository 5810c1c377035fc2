// UITestHarness: drives a window without a screen (the platform's offscreen mode) for tests:
// input goes through the same native events a user's would, timers move on a manual clock,
// and any window renders to a PNG file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/SystemServices.h"
#include "ui/UIDefs.h"

namespace zbe {

class CControlUI;
class CListUI;
class CPaintManagerUI;
class CTreeNodeUI;
class CWindowWnd;
class UIApplication;

// System services that never open a dialog: they record what was asked and answer as told.
class UITestServices : public ISystemServicesUI {
 public:
  bool PickFolder(CWindowWnd* owner, const std::string& title, const std::string& startFolder,
                  std::string* folder) override;
  bool OpenExternal(const std::string& target) override;
  void ShowMessage(CWindowWnd* owner, const std::string& title, const std::string& text) override;
  int32_t Print(CWindowWnd* owner, UIPrintJob& job) override;

  // Answers.
  std::string folderToPick;  // "" answers "cancelled"
  int32_t printResult = 1;
  std::string printToPdf;  // when set, Print writes the job there before answering
  // Records.
  std::vector<std::string> pickTitles;
  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> messages;
  std::vector<std::string> printedTitles;
};

class UITestHarness {
 public:
  explicit UITestHarness(CWindowWnd& window);

  // Starts the toolkit for a test program: offscreen platform, manual clock, UITestServices
  // (returned through "services" when asked). Call once; keep the result until the end.
  static std::unique_ptr<UIApplication> StartApplication(UITestServices** services = nullptr);

  CWindowWnd& Window() { return window_; }
  CPaintManagerUI& Manager();
  // The control named "name", or null.
  CControlUI* Find(const std::string& name);

  // Lays the window out now (and sends "windowinit" if it has not been sent).
  void Layout();

  // --- input; each one lays out first and delivers what it causes ----------------------------
  // Left click at the centre of "control". Returns false when it is null, hidden or not laid
  // out.
  bool Click(CControlUI* control);
  void ClickAt(UIPoint pt);
  bool DoubleClick(CControlUI* control);
  void DoubleClickAt(UIPoint pt);
  void MouseDown(UIPoint pt);
  void MouseUp(UIPoint pt);
  void MouseMove(UIPoint pt);
  bool Hover(CControlUI* control);
  void LeaveWindow();
  // Turns the wheel over "control" by "notches" (positive: away from the user, scrolls up).
  bool Wheel(CControlUI* control, int notches);
  // A key press with UIMod modifiers; "text" is what the key types ("" for none).
  void Key(uint32_t key, uint32_t mods = 0, const std::string& text = "");
  // Types "text" as a user would (one key press per character).
  void TypeText(const std::string& text);
  // Clicks the check box of row "row" (scrolled into view first). Returns false when the list
  // has no check column or the row does not exist.
  bool CheckListRow(CListUI* list, int row);
  bool CheckTreeNode(CTreeNodeUI* node);
  bool ToggleTreeNode(CTreeNodeUI* node);

  // --- time and events -----------------------------------------------------------------------
  // Moves the manual clock on, firing due timers.
  void AdvanceTimers(int ms);
  // Delivers posted messages and tasks.
  void ProcessEvents();

  // --- rendering -------------------------------------------------------------------------------
  // Renders the whole window (rounded corners transparent) into a PNG at "path".
  bool RenderToPng(const std::string& path);
  // Renders only "rc" (client coordinates) of the window.
  bool RenderRectToPng(const UIRect& rc, const std::string& path);
  // Renders "windows" as they lie on the screen, later ones above earlier ones (a pop-up over
  // its owner, a menu over the window), each but the first with a soft shadow, into one PNG
  // that covers them all (transparent where no window is).
  static bool RenderWindowsToPng(const std::vector<CWindowWnd*>& windows, const std::string& path);
  // Paints the whole window into memory, as one frame on screen would be painted.
  void PaintFrame();

  // Posts "whileOpen" to run once "window" is showing modally, then runs it modally. Should the
  // window still be open after "timeoutMs", it is closed with -2 so a faulty test cannot hang.
  static int RunModal(CWindowWnd& window, std::function<void()> whileOpen, int timeoutMs = 10000);

 private:
  CWindowWnd& window_;
};

}  // namespace zbe
