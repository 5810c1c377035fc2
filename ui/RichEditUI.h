// CRichEditUI: a read-only rich text view: text appended in colours and fonts, images from
// files (animated GIFs move on through AdvanceAnimations, which the owner calls from a timer),
// scrolling, and selection with the mouse or Ctrl+A for copying.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/ContainerUI.h"
#include "ui/ImageDecoder.h"

namespace zbe {

class CRichEditUI : public CContainerUI {
 public:
  CRichEditUI();
  ~CRichEditUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return true; }
  UICursor GetCursor() const override { return UICursor::kIBeam; }

  // Replaces the content with plain "text" in the default colour.
  void SetText(const std::string& text) override;
  // The plain text of the content ("\n" between paragraphs; an image counts as U+FFFC).
  std::string GetText() const override;
  void Clear();
  // Appends "text" ("\n" starts a new paragraph) in "color" (0: the default text colour) and
  // font "font" (-1: the control's).
  void AppendText(const std::string& text, UIColor color = 0, int font = -1);
  // Appends the image file at "path" (a file on disk). Images wider than the view, or than
  // "maxWidth" when given, are scaled down. Returns 0, kUIFileMissing (87) when the file cannot be
  // read, or 22 when it is not an image.
  int32_t InsertImage(const std::string& path, int maxWidth = 0);
  // Appends the picture at "path" through the registered image object "interfaceId" (see
  // ImageObject.h), scaled as InsertImage does. Returns 0, 87, 22, or 38 when no image object
  // is registered for the identifier.
  int32_t InsertImageObject(const std::string& interfaceId, const std::string& path,
                            int maxWidth = 0);
  // Lets images narrower than the view grow to its width, to at most "factor" times their own
  // size (1, the default: images keep their size). Images inserted with a maxWidth never grow.
  void SetImageEnlarge(int factor);
  // Moves animated images on by "elapsedMs". Returns true when a frame changed.
  bool AdvanceAnimations(int elapsedMs);
  bool HasAnimations() const;
  int GetImageCount() const;

  void SetTextColor(UIColor c);
  UIColor GetTextColor() const { return textColor_; }
  void SetFont(int font);
  void SelectAll();
  std::string GetSelText() const;
  void Copy();
  // Height of the laid-out content in pixels.
  int GetContentHeight() const;

  void DoEvent(TEventUI& event) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  struct Doc;

 protected:
  void DoInit() override;
  UISize LayoutChildren(const UIRect& inner) override;
  void PaintChildren(CRenderUI& render, const UIRect& rcPaint) override;

 private:
  void InsertDecoded(const UIImageData& data, int maxWidth);
  std::unique_ptr<Doc> doc_;
  UIColor textColor_ = 0;
  int font_ = -1;
};

}  // namespace zbe
