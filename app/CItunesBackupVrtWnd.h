// CItunesBackupVrtWnd: step 1, the backups found on this computer (virtual window
// "ItunesVtrWnd").
#pragma once

#include <vector>

#include "backup/BackupSummary.h"
#include "ui/UIDefs.h"

namespace zbe {

class CBackupParser;
class CListUI;
class CScanVrtWnd;
class CSettings;
class CWindowWnd;

class CItunesBackupVrtWnd : public INotifyUI {
 public:
  // "window" (the main window), "settings", "parser" and "scanPage" must outlive the page.
  CItunesBackupVrtWnd(CWindowWnd& window, const CSettings& settings, CBackupParser& parser,
                      CScanVrtWnd& scanPage);

  // At the main window's start: applies the texts, reads the summaries of the discovered
  // backups (newest first) and lists them with the first one selected; with none, says so.
  void Setup();
  // After a language change: applies the texts again.
  void ApplyTexts();

  void Notify(TNotifyUI& msg) override;

  const std::vector<BackupSummary>& Summaries() const { return summaries_; }

 private:
  void FillList();
  // "Next" or a double click: hands the selected backup to the scan page and goes to step 2.
  void TakeSelected();
  // "Select": a backup folder chosen by hand, asked again while the user wants to retry.
  void ChooseFolder();
  void GoToStep2();

  CWindowWnd& window_;
  const CSettings& settings_;
  CBackupParser& parser_;
  CScanVrtWnd& scanPage_;
  std::vector<BackupSummary> summaries_;  // the rows' data; filled once
  CListUI* list_ = nullptr;
};

}  // namespace zbe
