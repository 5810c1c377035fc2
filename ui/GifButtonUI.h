// CGifButtonUI: a button that plays an animated GIF of the skin ("normalgiffile") frame by
// frame. Each frame stays for its own delay, on a control timer with id 15; the animation
// pauses while the control is hidden (itself or through an ancestor) and goes on when shown.
#pragma once

#include <string>

#include "ui/ButtonUI.h"

namespace zbe {

class CGifButtonUI : public CButtonUI {
 public:
  static constexpr int kAnimationTimerId = 15;

  CGifButtonUI();

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return false; }

  void SetGifFile(const std::string& file);
  const std::string& GetGifFile() const { return gifFile_; }
  // Starts (or restarts from the current frame) the animation.
  void PlayGif();
  // Stops the animation on the current frame.
  void StopGif();
  bool IsPlaying() const { return playing_; }
  int GetCurrentFrame() const { return frame_; }
  int GetFrameCount() const;
  // Start playing as soon as the control is in a window (default true).
  void SetAutoPlay(bool on) { autoPlay_ = on; }

  void SetVisible(bool visible) override;
  void SetInternVisible(bool visible) override;
  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(CRenderUI& render) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void DoInit() override;

 private:
  // Arms the timer for the current frame when playing and shown; kills it otherwise.
  void SyncTimer();

  std::string gifFile_;
  int frame_ = 0;
  bool playing_ = false;
  bool autoPlay_ = true;
};

}  // namespace zbe
