// CPreviewVrtWnd: the preview pane of the scan page (virtual window "PreviewVtrWnd"): a note's
// text, a contact card, a conversation as chat bubbles, or a media file through a temporary
// copy shown in the pane (pictures, animated ones included) or played by the audio or video
// player beside the program. UI thread only, except the video watcher it starts.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/CategoryView.h"
#include "records/Records.h"
#include "ui/UIDefs.h"
#include "ui/WindowWnd.h"

namespace zbe {

class CBackupParser;
class CListUI;
class CRichEditUI;
class CSettings;

class CPreviewVrtWnd : public INotifyUI {
 public:
  // Files up to this size are copied at once; larger ones with the progress window.
  static constexpr uint64_t kDirectCopyLimit = 65536;
  static constexpr int kAnimationTimerId = 100;
  static constexpr int kAnimationPeriodMs = 100;

  // What the last copy was made for.
  enum class CopyKind { kNone = 0, kImage = 1, kAudio = 2, kVideo = 3 };

  // "window" (the main window), "settings" and "parser" must outlive the pane.
  CPreviewVrtWnd(CWindowWnd& window, const CSettings& settings, const CBackupParser& parser);
  // Stops watching a video player (the player itself ends with the program).
  ~CPreviewVrtWnd() override;
  CPreviewVrtWnd(const CPreviewVrtWnd&) = delete;
  CPreviewVrtWnd& operator=(const CPreviewVrtWnd&) = delete;

  // At the main window's start: finds the pane's controls.
  void FindControls();
  // Empties the pane, hides it and forgets the last previewed file.
  void Clear();
  // Shows the pane (as "OptOnOffPreview" says) with "area" in front, emptied.
  void Show(PreviewArea area);
  // "OptOnOffPreview": the pane's content shows exactly when the switch is on.
  void SetContentVisible(bool visible);

  // In place of a preview, a line that says why there is none or where the file plays.
  enum class Hint { kNone, kCalls, kAudio, kVideo, kFolders };
  void ShowHint(Hint hint);

  void ShowNote(const NoteRecord& note);
  void ShowContact(const ContactRecord& contact);
  void ShowMessages(const std::vector<MessageRecord>& messages);
  void ShowChat(const std::vector<WhatsAppMessage>& messages);

  // Previews the stored file "storedPath", named "name" to the user: copies it to the work
  // folder (with the progress window above kDirectCopyLimit bytes) unless it is the file
  // previewed last, then posts 1027. Ends the players started before. Nothing happens for an
  // empty path or a copy that was not made.
  void PreviewFile(const std::string& storedPath, const std::string& name);
  // 1027: shows the copy: a picture in the pane, audio in "Player1", video in "Player".
  void ShowCopy();

  CopyKind LastCopyKind() const { return kind_; }
  const std::string& LastCopyPath() const { return copyPath_; }

  void Notify(TNotifyUI& msg) override;

 private:
  CListUI* EmptyList();
  // Empties the list and puts the conversation's dashed rule on top; false without a list.
  bool StartConversation();
  void AddBubble(bool sent, const std::string& title, const std::string& text);
  void StopAnimation();
  void PlayVideo(const std::string& path);
  void StopVideoWatch();

  CWindowWnd& window_;
  const CSettings& settings_;
  const CBackupParser& parser_;
  UIPostTarget post_;
  CRichEditUI* edit_ = nullptr;
  CListUI* list_ = nullptr;

  std::string lastPath_;  // the stored file copied last (empty after a failed copy)
  std::string copyPath_;  // its copy
  CopyKind kind_ = CopyKind::kNone;

  std::thread videoWatch_;
  std::atomic<bool> stopWatch_{false};
};

}  // namespace zbe
