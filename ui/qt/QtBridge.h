// Conversions between the toolkit's plain types and the drawing library's, for the toolkit's
// own sources only.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <string>

#include "ui/UIDefs.h"

namespace zbe {

class CPaintManagerUI;
class CWindowWnd;
class QtHostWidget;
struct UIFontSpec;
struct UIImageData;

inline QString ToQ(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string FromQ(const QString& s) {
  return s.toUtf8().toStdString();
}
inline QColor ToQColor(UIColor c) {
  return QColor::fromRgba(static_cast<QRgb>(c));
}
inline QRect ToQRect(const UIRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}
inline UIRect FromQRect(const QRect& r) {
  return UIRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The font for "spec".
QFont MakeFont(const UIFontSpec& spec);
// The font "id" of "manager"'s window.
QFont ManagerFont(const CPaintManagerUI& manager, int id);
// Frame "frame" of "data" as a premultiplied image (a copy).
QImage ToQImage(const UIImageData& data, int frame);
// The decoded frames of skin image "file", or null image when it cannot be loaded.
const QImage* SkinImageFrame(const std::string& file, UIColor mask, int frame);
// The native widget of "window", or null.
QtHostWidget* NativeWidget(const CWindowWnd* window);

}  // namespace zbe
