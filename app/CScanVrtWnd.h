// CScanVrtWnd: step 3 (virtual window "ScanVtrWnd"). Holds the chosen backup and its
// password, runs the scan on a worker thread over the core's ScanSession, shows its progress in
// the header, counts each category in the category tree as it is read, and can be paused,
// stopped and left. The rows, the preview and the export build on the results it keeps.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "backup/BackupSummary.h"
#include "backup/ScanSession.h"
#include "export/CStatisticsObj.h"
#include "records/RecordCategory.h"
#include "ui/UIDefs.h"
#include "ui/WindowWnd.h"

namespace zbe {

class CBackupParser;
class CSettings;
class CSpecifyFileVrtWnd;
class CTreeNodeUI;

class CScanVrtWnd : public INotifyUI, private ScanObserver {
 public:
  // "window" (the main window), "settings", "parser" and "filePage" must outlive the page.
  CScanVrtWnd(CWindowWnd& window, const CSettings& settings, CBackupParser& parser,
              const CSpecifyFileVrtWnd& filePage);
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
  // caption, the header texts and the statistics line.
  void ApplyTexts();

  // 1031: starts a scan of the chosen backup with the chosen categories. Returns 0.
  int32_t StartScan(uintptr_t kind);
  // 1032: relabels every category node with its count.
  void RelabelTree();
  // 1034: the scan ended; the toolbar switches to the results.
  void FinishScan();
  // "BtnScanPause": pauses or resumes the scan.
  void TogglePause();
  // "BtnScanStop": asks, then stops the scan and keeps what was read.
  void StopScan();
  // Before the main window closes: asks when a scan runs or results exist. Returns 1 to go on
  // (a running scan has then stopped) or 2 to keep the window open.
  int ConfirmLeave();

  bool IsScanning() const { return finished_.load() == 0; }
  bool IsPaused() const { return paused_; }
  bool HasResults() const { return firstNonEmpty_.has_value(); }
  // The count shown for "category" (0 before it is read).
  size_t CategoryCountShown(RecordCategory category) const {
    return counts_[static_cast<size_t>(category)];
  }
  // The results of the last finished scan (null before one), and their selection.
  const ScanResults* Results() const { return results_.get(); }
  const CStatisticsObj& Selection() const { return selection_; }

  void Notify(TNotifyUI& msg) override;

 private:
  // --- on the scan thread ---------------------------------------------------------------------
  int32_t OnProgress(int32_t progress) override;
  void OnOpened(int32_t result) override;
  void OnCategoryPopulated(RecordCategory category, const ScanResults& results) override;
  void Work(BackupSummary summary, std::string password, CategorySet chosen);

  // --- on the UI thread -----------------------------------------------------------------------
  // Empties the results, the counts and the tree (a new scan, or Home).
  void Clear();
  // Clear, then the page as a new scan starts: progress card, scan toolbar, buttons blocked.
  void Reset();
  void BuildTree();
  void SetLoadingAnimation(bool playing);
  void UpdateStatistics(const StatisticsTotals& totals);
  void UpdateRecoverButton();
  void GoHome();
  void HoldLock();
  void ReleaseLock();
  void WaitForWorkerEnd();
  void JoinWorker();
  std::string Msg(const char* id) const;

  CWindowWnd& window_;
  const CSettings& settings_;
  CBackupParser& parser_;
  const CSpecifyFileVrtWnd& filePage_;
  UIPostTarget post_;

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
  CStatisticsObj workerSelection_;  // the worker's, handed over at the end

  std::array<size_t, kRecordCategoryCount> counts_{};
  std::array<CTreeNodeUI*, kRecordCategoryCount> nodes_{};
  std::optional<RecordCategory> firstNonEmpty_;
  std::unique_ptr<ScanResults> results_;
  CStatisticsObj selection_;
  int32_t result_ = 0;
};

}  // namespace zbe
