// CMainWnd: the application's window. Owns the backup parser and the pages, routes the steps
// (choose a backup, choose the data, scan and view) and the custom messages 1027 to 1035, and
// shows the assist menu.
#pragma once

#include <memory>
#include <string>

#include "app/CItunesBackupVrtWnd.h"
#include "app/CPreviewVrtWnd.h"
#include "app/CScanVrtWnd.h"
#include "app/CSpecifyFileVrtWnd.h"
#include "ui/WindowImplBase.h"

namespace zbe {

class CBackupParser;
class CSettings;

class CMainWnd : public WindowImplBase {
 public:
  static constexpr int kWidth = 1000;
  static constexpr int kHeight = 665;

  // Creates the backup parser, which discovers the backups. "settings" must outlive the window.
  explicit CMainWnd(CSettings& settings);
  ~CMainWnd() override;

  std::string GetWindowClassName() const override { return "FileRecoveryWnd"; }
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override;
  void Notify(TNotifyUI& msg) override;

  // A later launch asked for the window: a minimised window is restored, a hidden one shown.
  // Returns false when the window does not exist (yet).
  bool ShowFromOtherLaunch();

  CBackupParser& Parser() { return *parser_; }
  CItunesBackupVrtWnd& BackupPage() { return itunesPage_; }
  CSpecifyFileVrtWnd& FilePage() { return specifyPage_; }
  CScanVrtWnd& ScanPage() { return scanPage_; }
  CPreviewVrtWnd& PreviewPane() { return previewPane_; }

 protected:
  std::string GetSkinFile() override { return "xml/skin.xml"; }
  void InitWindow() override;
  intptr_t HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) override;
  // Enter and Escape are swallowed: neither closes a page or the window.
  bool PreTranslateKey(uint32_t key, uint32_t mods) override;
  // Runs the scan page's leave confirmation; its 2 keeps the window open.
  bool OnClose(int code) override;
  void OnFinalMessage() override;
  // In the header, only buttons, options, texts, edits and check boxes keep the mouse.
  bool IsCaptionControl(CControlUI* control) const override;

 private:
  // "windowinit" (first) and the language change: the texts of every page.
  void ApplyAllTexts(bool first);
  void ShowAssistMenu();
  // 1035: the scan page shows (wParam 0) or the password was wrong (1).
  void OnScanProgress(uintptr_t wParam);
  void ShowScanPage();
  void AskPasswordAgain();
  void UnregisterPages();

  CSettings& settings_;
  std::unique_ptr<CBackupParser> parser_;
  // Constructed in this order (each names the next by reference), destroyed in reverse.
  CPreviewVrtWnd previewPane_;
  CSpecifyFileVrtWnd specifyPage_;
  CScanVrtWnd scanPage_;
  CItunesBackupVrtWnd itunesPage_;
  bool pagesRegistered_ = false;
};

}  // namespace zbe
