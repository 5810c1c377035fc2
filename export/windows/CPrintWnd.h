// CPrintWnd: the print window. Builds the page of the checked records of one category on a
// worker (a loading animation meanwhile), shows it in the toolkit's web view and calls the
// page's "Init", which brings up the system's print dialog: a printer, or a PDF file.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "app/CPopUpWnd.h"
#include "export/PrintPage.h"
#include "ui/WindowWnd.h"

namespace zbe {

class CSettings;
class CWebBrowserUI;

// Posted by the print worker to its window: the page is ready (wParam: the build's result, 0).
inline constexpr uint32_t kPrintPageReady = 1036;

class CPrintWnd : public CPopUpWnd {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  enum class State {
    kStarting,    // before "windowinit"
    kBuilding,    // the worker builds the page
    kCancelling,  // the user confirmed closing; the worker is ending
    kShown,       // the page shows (and was handed to the print dialog)
    kNothing,     // no category was chosen: a note instead of a page
    kFailed,      // the page could not be written
  };

  // "settings" gives the texts and must outlive the window. "inputs": what to print; their
  // "pagePath" is where the page is written (a folder the user may write into; it is created
  // when missing) and is removed when the window closes. What they borrow must outlive the
  // window and stay unchanged while it is open.
  CPrintWnd(const CSettings& settings, PrintInputs inputs);
  // Stops a build still going, waits for the worker and removes the page.
  ~CPrintWnd() override;

  std::string GetWindowClassName() const override { return "UIPrintWnd"; }
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override;
  void Notify(TNotifyUI& msg) override;

  State GetState() const { return state_; }
  // The result of the last print (1 printed, 2 cancelled in the dialog, an errno value), or 0
  // before any.
  int32_t LastPrintResult() const { return printResult_; }
  // Taken by the build before each record; the close question holds it (and so can a caller
  // that must keep the build from going on).
  std::recursive_mutex& BuildLock() { return run_.buildLock(); }

 protected:
  std::string GetSkinFile() override { return "xml/PrintWnd.xml"; }
  void InitWindow() override;
  intptr_t HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) override;
  // Escape closes at once, even while the page is being built.
  void OnEscape() override;
  bool OnClose(int code) override;
  void OnFinalMessage() override;

 private:
  void Begin();
  void Work();
  // On 1036: the page goes into the browser, whose completion calls "Init".
  void ShowPage();
  void OnPageLoaded(CWebBrowserUI& browser, const std::string& url);
  void PrintPage(CWebBrowserUI& browser);
  // The worker has ended without a page to show: "message" takes the animation's place.
  void ShowNote(State state, const std::string& message);
  void AskToClose();
  // Waits for the worker and removes the page, and its folder when that is left empty.
  void CleanUp();
  std::string Msg(const char* id) const;

  const CSettings& settings_;
  const std::string pagePath_;
  UIPostTarget post_;
  State state_ = State::kStarting;
  bool asking_ = false;       // the close question is open
  bool pageWaiting_ = false;  // 1036 came while the question was open
  bool closeNow_ = false;     // Escape: close without asking
  bool printed_ = false;      // "Init" was called for the page shown
  int32_t printResult_ = 0;
  PrintPageRun run_;
  std::thread worker_;  // declared last: it uses the members above
};

// Shows a CPrintWnd for "inputs" modally over "owner" (may be null), 800 by 600. Returns its
// result: 1 closed after the page was shown, 2 closed while building or after a failure.
int ShowPrintWindow(CWindowWnd* owner, const CSettings& settings, PrintInputs inputs);

}  // namespace zbe
