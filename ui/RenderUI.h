// CRenderUI: the drawing surface of one paint pass. Controls (including an application's own
// controls) draw with it; the toolkit creates it around the window's or an image's painter.
// Coordinates are window client coordinates. UI thread only; valid during Paint only.
#pragma once

#include <memory>
#include <string>

#include "ui/UIDefs.h"

namespace zbe {

class CPaintManagerUI;

class CRenderUI {
 public:
  struct Impl;
  // Made by the toolkit only (the paint manager and the test harness).
  explicit CRenderUI(std::unique_ptr<Impl> impl);
  ~CRenderUI();
  CRenderUI(const CRenderUI&) = delete;
  CRenderUI& operator=(const CRenderUI&) = delete;

  CPaintManagerUI& GetManager() const;

  void FillRect(const UIRect& rc, UIColor color);
  // Vertical gradient from "top" to "bottom".
  void FillGradient(const UIRect& rc, UIColor top, UIColor bottom);
  void FillRoundRect(const UIRect& rc, UISize round, UIColor color);
  void FillEllipse(const UIRect& rc, UIColor color);
  // Outlines drawn inside "rc", "width" pixels wide.
  void DrawRect(const UIRect& rc, int width, UIColor color);
  void DrawRoundRect(const UIRect& rc, int width, UISize round, UIColor color);
  void DrawEllipse(const UIRect& rc, int width, UIColor color);
  void DrawLine(UIPoint from, UIPoint to, int width, UIColor color);
  // An open polyline through "count" points, with round joins (check marks, arrows).
  void DrawPolyline(const UIPoint* points, int count, int width, UIColor color);

  // Draws "notation" (see ImageNotation.h) relative to "rcItem", within "rcPaint". Returns
  // false, drawing nothing, when the notation is malformed or the image cannot be loaded.
  bool DrawImage(const UIRect& rcItem, const UIRect& rcPaint, const std::string& notation);
  // Draws frame "frame" of the skin image "file" scaled into "dest" (keeping its aspect ratio,
  // centred). Returns false when the image or the frame does not exist.
  bool DrawImageFrame(const std::string& file, int frame, const UIRect& dest, int fade = 255);

  // Draws "text" (UTF-8) in font "font" (an id of the window's fonts, -1 for the default)
  // inside "rc" with UIText flags.
  void DrawText(const UIRect& rc, const std::string& text, UIColor color, int font, uint32_t style);
  // Like DrawText, for text in the small markup of TextMarkup.h.
  void DrawMarkupText(const UIRect& rc, const std::string& markup, UIColor color, int font,
                      uint32_t style);

  // Restricts drawing to "rc" (rounded when "round" is given) until the matching PopClip.
  void PushClip(const UIRect& rc, UISize round = {});
  void PopClip();

  Impl& GetImpl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Restricts drawing to a rectangle for the life of the scope.
class UIClipScope {
 public:
  UIClipScope(CRenderUI& render, const UIRect& rc, UISize round = {}) : render_(render) {
    render_.PushClip(rc, round);
  }
  ~UIClipScope() { render_.PopClip(); }
  UIClipScope(const UIClipScope&) = delete;
  UIClipScope& operator=(const UIClipScope&) = delete;

 private:
  CRenderUI& render_;
};

}  // namespace zbe
