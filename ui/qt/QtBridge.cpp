#include "ui/qt/QtBridge.h"

#include "ui/ImageDecoder.h"
#include "ui/PaintManagerUI.h"

namespace zbe {

QFont MakeFont(const UIFontSpec& spec) {
  QFont f(ToQ(spec.family));
  f.setPixelSize(std::max(1, spec.size));
  f.setBold(spec.bold);
  f.setItalic(spec.italic);
  f.setUnderline(spec.underline);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

QFont ManagerFont(const CPaintManagerUI& manager, int id) {
  return MakeFont(manager.GetFont(id));
}

QImage ToQImage(const UIImageData& data, int frame) {
  if (frame < 0 || frame >= static_cast<int>(data.frames.size()))
    return QImage();
  QImage view(data.frames[frame].data(), data.width, data.height, data.width * 4,
              QImage::Format_RGBA8888);
  return view.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace zbe
