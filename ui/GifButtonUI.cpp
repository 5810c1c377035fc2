#include "ui/GifButtonUI.h"

#include "ui/AttributeValues.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"

namespace zbe {

CGifButtonUI::CGifButtonUI() = default;

std::string CGifButtonUI::GetClass() const {
  return "GifButtonUI";
}

void* CGifButtonUI::GetInterface(std::string_view name) {
  if (name == "GifButton")
    return this;
  return CButtonUI::GetInterface(name);
}

void CGifButtonUI::DoInit() {
  if (autoPlay_ && !gifFile_.empty())
    playing_ = true;
  SyncTimer();
}

int CGifButtonUI::GetFrameCount() const {
  return manager_ != nullptr && !gifFile_.empty() ? manager_->GetImageFrameCount(gifFile_) : 0;
}

void CGifButtonUI::SetGifFile(const std::string& file) {
  if (file == gifFile_)
    return;
  gifFile_ = file;
  frame_ = 0;
  SyncTimer();
  Invalidate();
}

void CGifButtonUI::PlayGif() {
  playing_ = true;
  SyncTimer();
}

void CGifButtonUI::StopGif() {
  playing_ = false;
  SyncTimer();
}

void CGifButtonUI::SyncTimer() {
  if (manager_ == nullptr)
    return;
  const int frames = GetFrameCount();
  if (playing_ && IsVisible() && frames > 1) {
    if (frame_ >= frames)
      frame_ = 0;
    SetTimer(kAnimationTimerId, std::max(1, manager_->GetImageFrameDelay(gifFile_, frame_)));
  } else {
    KillTimer(kAnimationTimerId);
  }
}

void CGifButtonUI::SetVisible(bool visible) {
  CButtonUI::SetVisible(visible);
  SyncTimer();
}

void CGifButtonUI::SetInternVisible(bool visible) {
  CButtonUI::SetInternVisible(visible);
  SyncTimer();
}

void CGifButtonUI::DoEvent(TEventUI& event) {
  if (event.type == UIEventType::kTimer &&
      event.chKey == static_cast<uint32_t>(kAnimationTimerId)) {
    const int frames = GetFrameCount();
    if (frames > 0)
      frame_ = (frame_ + 1) % frames;
    Invalidate();
    // Each frame keeps its own delay, so the period changes from frame to frame.
    SyncTimer();
    return;
  }
  CButtonUI::DoEvent(event);
}

void CGifButtonUI::PaintStatusImage(CRenderUI& render) {
  CButtonUI::PaintStatusImage(render);
  if (!gifFile_.empty())
    render.DrawImageFrame(gifFile_, frame_, rcItem_);
}

bool CGifButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "normalgiffile" || name == "giffile") {
    SetGifFile(value);
  } else if (name == "autoplay") {
    SetAutoPlay(ParseUIBool(value));
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace zbe
