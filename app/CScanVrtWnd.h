// CScanVrtWnd: step 3 (virtual window "ScanVtrWnd"). Runs the scan of the chosen backup on a
// worker thread over the core's ScanSession, shows its progress in the header and each category
// in the category tree as soon as it is read, and can be paused, stopped and left. It keeps the
// results and their selection statistics, shows a category's rows in the data list and a row in
// the preview pane, and keeps the check boxes of rows, app folders and categories in step with
// the statistics line and "Recover".
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/CFileListCtrl.h"
#include "app/CFileTreeCtrl.h"
#include "backup/BackupSummary.h"
#include "backup/ScanSession.h"
#include "export/CStatisticsObj.h"
#include "records/RecordCategory.h"
#include "records/ScanResults.h"
#include "ui/UIDefs.h"
#include "ui/WindowWnd.h"

namespace zbe {

class CBackupParser;
class CPreviewVrtWnd;
class CSettings;
class CSpecifyFileVrtWnd;

class CScanVrtWnd : public INotifyUI, private ScanObserver {
 public:
  // "window" (the main window), "settings", "parser", "filePage" and "preview" must outlive the
  // page.
  CScanVrtWnd(CWindowWnd& window, const CSettings& settings, CBackupParser& parser,
              const CSpecifyFileVrtWnd& filePage, CPreviewVrtWnd& preview);
  // Stops a running scan and waits for its worker.
  ~CScanVrtWnd() override;
  CScanVrtWnd(const CScanVrtWnd&) = delete;
  CScanVrtWnd& operator=(const CScanVrtWnd&) = delete;

  // The backup to scan, as step 1 chose it, and its password ("" for none).
  void SetChosenBackup(const BackupSummary& summary) { chosen_ = summary; }
  const BackupSummary& ChosenBackup() const { return chosen_; }
  void SetPassword(const std::string& password) { password_ = password; }
  const std::string& Password() const { return password_; }

  // At the main window's start: finds the page's controls.
  void FindControls();
  // At the start and after a language change: the "PageScan" texts, the pause button's
  // caption, the header texts, the node labels and the statistics line.
  void ApplyTexts();

  // --- the scan run (UI thread) --------------------------------------------------------------
  // 1031: starts a scan of the chosen backup with the chosen categories. Returns 0.
  int32_t StartScan(uintptr_t kind);
  // 1032: relabels every category node with its count.
  void RelabelTree();
  // 1033: selects the first category with items when no category is selected.
  void SelectFirstNode();
  // 1034: the scan ended; the toolbar switches to the results.
  void FinishScan();
  // "BtnScanPause": pauses or resumes the scan.
  void TogglePause();
  // "BtnScanStop": asks, then stops the scan and keeps what was read.
  void StopScan();
  // Before the main window closes: asks when a scan runs or results exist. Returns 1 to go on
  // (a running scan has then stopped) or 2 to keep the window open.
  int ConfirmLeave();

  // The progress callback of the scan (called on the worker; public for tests, which drive it
  // directly). Waits while the scan is paused. Returns 2 once a stop was asked, else 0.
  int32_t OnProgress(int32_t progress) override;

  bool IsScanning() const { return finished_.load() == 0; }
  bool IsPaused() const { return paused_; }
  bool HasResults() const { return firstNonEmpty_.has_value(); }
  // The count shown for "category" (0 before it is read).
  size_t CategoryCountShown(RecordCategory category) const {
    return counts_[static_cast<size_t>(category)];
  }
  // The last progress shown (0 to 99).
  int LastProgressShown() const { return lastProgress_.load(); }

  // --- the results (UI thread) ---------------------------------------------------------------
  // What was read so far: each category arrives whole once it is read.
  const ScanResults& Results() const { return results_; }
  const CStatisticsObj& Selection() const { return selection_; }
  // The tree and the list, for tests and the windows that borrow the results.
  const CFileTreeCtrl& Tree() const { return tree_; }
  const CFileListCtrl& List() const { return list_; }

  void Notify(TNotifyUI& msg) override;

 private:
  // --- on the scan thread ---------------------------------------------------------------------
  void OnOpened(int32_t result) override;
  void OnCategoryPopulated(RecordCategory category, const ScanResults& results) override;
  void Work(BackupSummary summary, std::string password, CategorySet chosen);

  // --- the run, on the UI thread ----------------------------------------------------------------
  // A category's container arrived: keep it, count it, check all of it, show its node.
  void AddCategory(RecordCategory category, ScanResults& part);
  // Empties the results, the counts, the tree, the list and the preview (a new scan, or Home).
  void Clear();
  // Clear, then the page as a new scan starts: progress card, scan toolbar, buttons blocked.
  void Reset();
  void SetLoadingAnimation(bool playing);
  void ShowProgressCard();
  void UpdateStatistics();
  void UpdateRecoverButton();
  // "BtnRecovery": the checked items into a folder the user picks, in the export window.
  void Recover();
  // "BtnPrint": the checked records of the selected category, in the print window.
  void Print();
  // After the finish: names the categories whose reading failed, in an information box.
  void ReportUnreadCategories();
  void GoHome();
  void HoldLock();
  void ReleaseLock();
  void WaitForWorkerEnd();
  void JoinWorker();
  std::string Msg(const char* id) const;

  // --- the results, on the UI thread (CScanVrtWndResults.cpp) ----------------------------------
  void ShowNode(RecordCategory category);
  void PreviewRow(int row);
  void OpenAppFolder(int row);
  void BackToApps();
  void OnNodeCheck(CTreeNodeUI* node, bool checked);
  void OnRowCheck(int row, bool checked);
  void SetFilter(bool on);
  void UpdateFilterCount();
  // After a check changed in "category": its node, the statistics line and "Recover".
  void AfterCheck(RecordCategory category);

  CWindowWnd& window_;
  const CSettings& settings_;
  CBackupParser& parser_;
  const CSpecifyFileVrtWnd& filePage_;
  CPreviewVrtWnd& preview_;
  UIPostTarget post_;
  CFileTreeCtrl tree_;
  CFileListCtrl list_;

  BackupSummary chosen_;
  std::string password_;
  uintptr_t kind_ = 1;

  std::unique_ptr<ScanSession> session_;  // used by the worker while it runs
  std::thread worker_;
  // Held by the UI thread while the scan is paused and while a question about stopping is
  // open; the worker takes it at every progress report, so it waits there.
  std::recursive_mutex scanLock_;
  int lockHolds_ = 0;  // how often the UI thread holds scanLock_
  std::atomic<int> stopRequest_{0};
  std::atomic<int> finished_{1};
  std::atomic<int> lastProgress_{0};    // written by the worker only while a scan runs
  std::atomic<bool> pageShown_{false};  // the first progress report asked to show the page
  bool paused_ = false;

  std::array<size_t, kRecordCategoryCount> counts_{};
  std::optional<RecordCategory> firstNonEmpty_;
  ScanResults results_;
  CStatisticsObj selection_;
  int32_t result_ = 0;
};

}  // namespace zbe
