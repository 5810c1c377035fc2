// Shared pieces of the toolkit's tests: the toolkit started once per test program (offscreen,
// manual clock, fake system services, the test skin), and a window that records what reaches it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/ButtonUI.h"
#include "ui/GifButtonUI.h"
#include "ui/LabelUI.h"
#include "ui/TestHarness.h"
#include "ui/TreeViewUI.h"
#include "ui/UIApplication.h"
#include "ui/WindowImplBase.h"

namespace zbe {

// The archive of skin/ and tests/ui/skin/, compiled into the test program.
std::span<const unsigned char> ZbeUiTestSkin();

namespace test {

UITestServices& Services();
// A fresh empty folder for one test.
std::string MakeTempDir(const std::string& name);
// Where renderings go (build/ui-shots).
std::string ShotsDir();

// The application's four custom controls, as the application will make them on the toolkit.
class CFileTreeUI : public CTreeViewUI {
 public:
  std::string GetClass() const override { return "FileTreeUI"; }
};
class CButtonExUI : public CButtonUI {
 public:
  CButtonExUI() { SetHotNotify(true); }
  std::string GetClass() const override { return "ButtonExUI"; }
};
class CButtonGifUI : public CGifButtonUI {
 public:
  CButtonGifUI() { SetAutoPlay(false); }
  std::string GetClass() const override { return "ButtonGifUI"; }
};
// Paints its own text inside the text padding (the chat bubble label).
class CLabelExUI : public CLabelUI {
 public:
  CLabelExUI() { SetTextStyle(UIText::kWordBreak | UIText::kVCenter); }
  std::string GetClass() const override { return "LabelExUI"; }
  void PaintText(CRenderUI& render) override;
};

std::unique_ptr<CControlUI> CreateCustomControl(const std::string& className);

// A window from a test layout that records its notifications and messages.
class TestWindow : public WindowImplBase {
 public:
  explicit TestWindow(std::string skinFile, bool customControls = true)
      : skinFile_(std::move(skinFile)), custom_(customControls) {}

  // Creates the window at "size" (0,0: the layout's size) and lays it out. Returns false when
  // the layout cannot be built.
  bool Open(UISize size = {}, CWindowWnd* owner = nullptr, UIWindowKind kind = UIWindowKind::kMain);

  std::string GetWindowClassName() const override { return "UITestWnd"; }
  void Notify(TNotifyUI& msg) override;
  std::unique_ptr<CControlUI> CreateControl(const std::string& className) override;

  // "type:sender" for every notification that reached the window.
  std::vector<std::string> notes;
  std::vector<TNotifyUI> notifications;
  // Window messages that reached HandleMessage: (msg, wParam).
  std::vector<std::pair<uint32_t, uintptr_t>> messages;
  // Keys the filter swallows.
  std::vector<uint32_t> swallowKeys;
  // Answer of OnClose; closes counted.
  bool allowClose = true;
  int closeRequests = 0;
  bool finalMessage = false;
  std::function<void(TNotifyUI&)> onNotify;
  std::vector<std::string> createdCustom;

 protected:
  std::string GetSkinFile() override { return skinFile_; }
  intptr_t HandleMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam, bool& handled) override;
  bool PreTranslateKey(uint32_t key, uint32_t mods) override;
  bool OnClose(int code) override;
  void OnFinalMessage() override { finalMessage = true; }

 private:
  std::string skinFile_;
  bool custom_;
};

// A page: records the notifications routed to it.
class RecordingPage : public INotifyUI {
 public:
  void Notify(TNotifyUI& msg) override {
    notes.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : std::string()));
    if (onNotify)
      onNotify(msg);
  }
  std::vector<std::string> notes;
  std::function<void(TNotifyUI&)> onNotify;
};

// Counts notes equal to "note".
int Count(const std::vector<std::string>& notes, const std::string& note);

// Decodes the PNG at "path" and returns the RGBA pixel at (x, y) as 0xAARRGGBB (0 on failure).
uint32_t PixelAt(const std::string& path, int x, int y);
// Counts the pixels of "rc" in the image at "path" for which "match" answers true.
int CountPixels(const std::string& path, const UIRect& rc,
                const std::function<bool(uint32_t)>& match);
// A 1x1 GIF of two frames (white, then black) shown "d1" and "d2" hundredths of a second.
std::vector<uint8_t> TwoFrameGif(uint8_t d1, uint8_t d2);
// Writes "bytes" to "path".
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace test
}  // namespace zbe
