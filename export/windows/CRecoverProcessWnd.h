// CRecoverProcessWnd: the export ("recover") window. Runs one export of the checked items into
// the chosen folder on a worker and shows it: a running count, the current file with its
// progress, and the list of finished files with their status, failures first and in red. The
// user can open the folder at any time, and cancel while it runs.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "app/CMessageBox.h"
#include "app/CPopUpWnd.h"
#include "export/ExportRun.h"
#include "export/windows/RecoverFeed.h"
#include "ui/WindowWnd.h"

namespace zbe {

class CSettings;

class CRecoverProcessWnd : public CPopUpWnd {
 public:
  static constexpr int kWidth = 770;
  static constexpr int kHeight = 700;

  enum class State {
    kStarting,    // before "windowinit"
    kRunning,     // the worker runs
    kCancelling,  // the user confirmed cancelling; the worker is ending
    kFinished,    // the run has ended; "FinishBtn" shows
    kRefused,     // the run could not start; the window is closing
  };

  // "settings" gives the texts and must outlive the window; "inputs" are the run's (everything
  // they borrow must outlive the window and stay unchanged while it is open).
  CRecoverProcessWnd(const CSettings& settings, ExportInputs inputs);
  // Cancels a run still going and waits for its worker.
  ~CRecoverProcessWnd() override;

  std::string GetWindowClassName() const override { return "UIRecoverProcessWnd"; }
  void Notify(TNotifyUI& msg) override;

  State GetState() const { return state_; }
  // The run's counts and destination as they stand.
  ExportCounts Counts() const { return run_.counts(); }
  const std::string& Destination() const { return destination_; }
  // Held around every report of the run; the cancel question holds it (and so can a caller
  // that must keep the run from going on).
  std::recursive_mutex& ReportLock() { return run_.reportLock(); }

 protected:
  std::string GetSkinFile() override { return "xml/RecoverProcessWnd.xml"; }
  void InitWindow() override;
  void OnEscape() override { Cancel(); }
  // Closing from outside (the window manager) while the run goes on asks as "CancelBtn" does.
  bool OnClose(int code) override;

 private:
  // "windowinit": the texts, the templates, the worker.
  void Begin();
  // Ends the window before anything was written, after telling the user "message" in an error
  // box of "width" by "height".
  void Refuse(const std::string& message, int width = kMsgBoxWidth, int height = kMsgBoxHeight);
  // Shows what the worker has reported since the last call (posted by the feed).
  void Flush();
  // A report of "filePercent" of the file at "path" ("" keeps the one shown).
  void ShowProgress(int32_t filePercent, const std::string& path, const ExportCounts& counts);
  // The bar and "percent": how much of the whole run is done.
  void ShowRunPercent(int32_t percent);
  void ShowCounts(const ExportCounts& counts);
  void OnRunEnded(const ExportCounts& counts);
  // "CancelBtn", "closebtn", Escape.
  void Cancel();
  void OpenDestination();
  void ShowDetails(bool show);
  void SetVisible(const char* name, bool visible);
  void SetText(const char* name, const std::string& text);
  std::string Msg(const char* id) const;

  const CSettings& settings_;
  const std::string destination_;  // the chosen folder, without a trailing "/"
  const std::string programFolder_;
  UIPostTarget post_;
  State state_ = State::kStarting;
  bool asking_ = false;        // the cancel question is open: the list waits
  bool detailsShown_ = false;  // "DetailList" shows instead of the banner
  bool runEnded_ = false;      // the run's end has been shown
  // Declared before the run, which reports into it until its worker has ended.
  RecoverFeed feed_;
  ExportRun run_;
};

}  // namespace zbe
