// CPreviewProcessWnd: copies a large media file for the preview on a worker thread, shows the
// copy's progress, and lets the user cancel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "app/CPopUpWnd.h"
#include "backup/RecoveryCallbacks.h"

namespace zbe {

class CSettings;

// Makes the preview copy of "storedPath", writing the copy's path to "copyPath", and reports
// progress in percent through "callback" with "context" (see backup/PreviewCopy.h for the
// results). The application's copies through CBackupParser::MakePreviewCopy.
using PreviewCopyFn = std::function<int32_t(const std::string& storedPath, std::string& copyPath,
                                            PreviewCopyCallback callback, void* context)>;

class CPreviewProcessWnd : public CPopUpWnd {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 200;
  // Results of the window.
  static constexpr int kCopied = 1;
  static constexpr int kNotCopied = 2;  // cancelled, stopped or failed

  // A window that copies "storedPath" (shown as "displayName") with "copy". "settings" must
  // outlive the window.
  CPreviewProcessWnd(const CSettings& settings, PreviewCopyFn copy, std::string storedPath,
                     std::string displayName);
  // Waits for the copy thread.
  ~CPreviewProcessWnd() override;
  CPreviewProcessWnd(const CPreviewProcessWnd&) = delete;
  CPreviewProcessWnd& operator=(const CPreviewProcessWnd&) = delete;

  // Runs the window over "owner" at 500 by 200. Returns kCopied, with the copy's path in
  // CopyPath(), or kNotCopied.
  int Run(CWindowWnd* owner);
  const std::string& CopyPath() const { return copyPath_; }

  std::string GetWindowClassName() const override { return "UIPreviewProcessWnd"; }
  void Notify(TNotifyUI& msg) override;

 protected:
  std::string GetSkinFile() override { return "xml/PreviewProcessWnd.xml"; }
  void OnEscape() override { Cancel(); }

 private:
  // On the copy thread.
  void CopyFile();
  static int32_t OnCopyProgress(void* context, int32_t percent);
  // On the UI thread: asks whether to cancel; the copy waits at its next report meanwhile.
  void Cancel();
  void ShowPercent(int32_t percent);

  const CSettings& settings_;
  const PreviewCopyFn copy_;
  const std::string storedPath_;
  const std::string displayName_;
  std::string copyPath_;  // written by the copy thread before it ends
  UIPostTarget post_;
  std::thread worker_;
  // Held by the UI thread while the cancel question is open; the copy takes it at every report.
  std::recursive_mutex lock_;
  std::atomic<int> cancel_{0};
  std::atomic<int> finished_{1};
  std::atomic<int32_t> copyResult_{0};
};

}  // namespace zbe
