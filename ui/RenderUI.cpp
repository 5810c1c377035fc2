#include "ui/RenderUI.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

#include "ui/ImageNotation.h"
#include "ui/PaintManagerUI.h"
#include "ui/UIApplication.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/RenderImpl.h"
#include "ui/qt/TextPainter.h"

namespace zbe {
namespace {

QPen MakePen(int width, UIColor color) {
  QPen pen(ToQColor(color));
  pen.setWidth(std::max(1, width));
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// Rectangle for an outline of "width" pixels drawn inside "rc".
QRectF InsideRect(const UIRect& rc, int width) {
  const qreal half = width / 2.0;
  return QRectF(rc.left + half, rc.top + half, rc.Width() - width, rc.Height() - width);
}

// Saves the painter and sets smooth (antialiased) edges drawn with "pen" and filled with "brush";
// restores the painter when it goes.
class SmoothShapeScope {
 public:
  SmoothShapeScope(QPainter& painter, const QPen& pen, const QBrush& brush) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(pen);
    painter_.setBrush(brush);
  }
  ~SmoothShapeScope() { painter_.restore(); }
  SmoothShapeScope(const SmoothShapeScope&) = delete;
  SmoothShapeScope& operator=(const SmoothShapeScope&) = delete;

 private:
  QPainter& painter_;
};

// Draws "src" of "img" into "dst", tiling instead of stretching along the flagged axes.
void DrawPiece(QPainter& p, const QImage& img, const QRect& dst, const QRect& src, bool xtile,
               bool ytile) {
  if (dst.isEmpty() || src.isEmpty())
    return;
  if (!xtile && !ytile) {
    p.drawImage(dst, img, src);
    return;
  }
  const int stepX = xtile ? src.width() : dst.width();
  const int stepY = ytile ? src.height() : dst.height();
  p.save();
  p.setClipRect(dst, Qt::IntersectClip);
  for (int y = dst.top(); y < dst.top() + dst.height(); y += stepY) {
    for (int x = dst.left(); x < dst.left() + dst.width(); x += stepX) {
      p.drawImage(QRect(x, y, stepX, stepY), img, src);
    }
  }
  p.restore();
}

}  // namespace

CRenderUI::CRenderUI(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CRenderUI::~CRenderUI() = default;

CPaintManagerUI& CRenderUI::GetManager() const {
  return *impl_->manager;
}

void CRenderUI::FillRect(const UIRect& rc, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty())
    return;
  impl_->painter->fillRect(ToQRect(rc), ToQColor(color));
}

void CRenderUI::FillGradient(const UIRect& rc, UIColor top, UIColor bottom) {
  if (rc.IsEmpty())
    return;
  QLinearGradient g(0, rc.top, 0, rc.bottom);
  g.setColorAt(0, ToQColor(top));
  g.setColorAt(1, ToQColor(bottom));
  impl_->painter->fillRect(ToQRect(rc), g);
}

void CRenderUI::FillRoundRect(const UIRect& rc, UISize round, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty())
    return;
  QPainter& p = *impl_->painter;
  SmoothShapeScope smooth(p, Qt::NoPen, ToQColor(color));
  p.drawRoundedRect(QRectF(ToQRect(rc)), round.cx / 2.0, round.cy / 2.0);
}

void CRenderUI::FillEllipse(const UIRect& rc, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty())
    return;
  QPainter& p = *impl_->painter;
  SmoothShapeScope smooth(p, Qt::NoPen, ToQColor(color));
  p.drawEllipse(QRectF(ToQRect(rc)));
}

void CRenderUI::DrawRect(const UIRect& rc, int width, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty() || width <= 0)
    return;
  QPainter& p = *impl_->painter;
  p.save();
  QPen pen = MakePen(width, color);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(InsideRect(rc, width));
  p.restore();
}

void CRenderUI::DrawRoundRect(const UIRect& rc, int width, UISize round, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty() || width <= 0)
    return;
  QPainter& p = *impl_->painter;
  SmoothShapeScope smooth(p, MakePen(width, color), Qt::NoBrush);
  p.drawRoundedRect(InsideRect(rc, width), round.cx / 2.0, round.cy / 2.0);
}

void CRenderUI::DrawEllipse(const UIRect& rc, int width, UIColor color) {
  if ((color >> 24) == 0 || rc.IsEmpty() || width <= 0)
    return;
  QPainter& p = *impl_->painter;
  SmoothShapeScope smooth(p, MakePen(width, color), Qt::NoBrush);
  p.drawEllipse(InsideRect(rc, width));
}

void CRenderUI::DrawLine(UIPoint from, UIPoint to, int width, UIColor color) {
  if ((color >> 24) == 0 || width <= 0)
    return;
  QPainter& p = *impl_->painter;
  p.save();
  QPen pen = MakePen(width, color);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  // Centre one-pixel lines on the pixel so that they stay crisp.
  const qreal off = (width % 2) ? 0.5 : 0.0;
  p.drawLine(QPointF(from.x + off, from.y + off), QPointF(to.x + off, to.y + off));
  p.restore();
}

void CRenderUI::DrawPolyline(const UIPoint* points, int count, int width, UIColor color) {
  if ((color >> 24) == 0 || count < 2)
    return;
  std::vector<QPointF> pts;
  for (int i = 0; i < count; ++i)
    pts.emplace_back(points[i].x, points[i].y);
  QPainter& p = *impl_->painter;
  SmoothShapeScope smooth(p, MakePen(width, color), Qt::NoBrush);
  p.drawPolyline(pts.data(), count);
}

bool CRenderUI::DrawImage(const UIRect& rcItem, const UIRect& rcPaint,
                          const std::string& notation) {
  if (notation.empty())
    return false;
  UIImageNotation n;
  if (!ParseImageNotation(notation, &n)) {
    if (UIApplication* app = UIApplication::Instance()) {
      app->ReportOnce("notation|" + notation,
                      "zbe-ui: malformed image notation \"" + notation + "\"");
    }
    return false;
  }
  const QImage* img = SkinImageFrame(n.file, n.mask, 0);
  if (img == nullptr || img->isNull())
    return false;

  QRect src = n.hasSource ? QRect(n.source.left, n.source.top, n.source.Width(), n.source.Height())
                          : img->rect();
  src = src.intersected(img->rect());
  if (src.isEmpty())
    return false;
  UIRect dest = rcItem;
  if (n.hasDest) {
    dest = UIRect{rcItem.left + n.dest.left, rcItem.top + n.dest.top, rcItem.left + n.dest.right,
                  rcItem.top + n.dest.bottom};
  }
  if (dest.IsEmpty() || !dest.Intersects(rcPaint))
    return true;

  QPainter& p = *impl_->painter;
  p.save();
  p.setClipRect(ToQRect(rcItem.Intersect(rcPaint)), Qt::IntersectClip);
  p.setOpacity(p.opacity() * n.fade / 255.0);
  const QRect d = ToQRect(dest);
  const bool scaled = d.width() != src.width() || d.height() != src.height();
  p.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
  const UIRect& c = n.corner;
  if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0) {
    DrawPiece(p, *img, d, src, n.xtiled, n.ytiled);
  } else {
    // Nine slices: corners keep their size, edges stretch one way, the middle both ways.
    const int sx[4] = {src.left(), src.left() + c.left, src.left() + src.width() - c.right,
                       src.left() + src.width()};
    const int sy[4] = {src.top(), src.top() + c.top, src.top() + src.height() - c.bottom,
                       src.top() + src.height()};
    const int dx[4] = {d.left(), d.left() + c.left, d.left() + d.width() - c.right,
                       d.left() + d.width()};
    const int dy[4] = {d.top(), d.top() + c.top, d.top() + d.height() - c.bottom,
                       d.top() + d.height()};
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (row == 1 && col == 1 && n.hole)
          continue;
        QRect ps(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
        QRect pd(dx[col], dy[row], dx[col + 1] - dx[col], dy[row + 1] - dy[row]);
        const bool tileX = n.xtiled && col == 1;
        const bool tileY = n.ytiled && row == 1;
        DrawPiece(p, *img, pd, ps, tileX, tileY);
      }
    }
  }
  p.restore();
  return true;
}

bool CRenderUI::DrawImageFrame(const std::string& file, int frame, const UIRect& dest, int fade) {
  const QImage* img = SkinImageFrame(file, 0, frame);
  if (img == nullptr || img->isNull() || dest.IsEmpty())
    return false;
  QSizeF size = img->size();
  if (size.width() > dest.Width() || size.height() > dest.Height()) {
    size.scale(dest.Width(), dest.Height(), Qt::KeepAspectRatio);
  }
  QRectF target(dest.left + (dest.Width() - size.width()) / 2,
                dest.top + (dest.Height() - size.height()) / 2, size.width(), size.height());
  QPainter& p = *impl_->painter;
  p.save();
  p.setOpacity(p.opacity() * std::clamp(fade, 0, 255) / 255.0);
  p.setRenderHint(QPainter::SmoothPixmapTransform, size != QSizeF(img->size()));
  p.drawImage(target, *img);
  p.restore();
  return true;
}

void CRenderUI::DrawText(const UIRect& rc, const std::string& text, UIColor color, int font,
                         uint32_t style) {
  if (text.empty() || (color >> 24) == 0)
    return;
  PaintUIText(*impl_->painter, ToQRect(rc), text, ManagerFont(*impl_->manager, font),
              ToQColor(color), style, false);
}

void CRenderUI::DrawMarkupText(const UIRect& rc, const std::string& markup, UIColor color, int font,
                               uint32_t style) {
  if (markup.empty() || (color >> 24) == 0)
    return;
  PaintUIText(*impl_->painter, ToQRect(rc), markup, ManagerFont(*impl_->manager, font),
              ToQColor(color), style, true);
}

void CRenderUI::PushClip(const UIRect& rc, UISize round) {
  QPainter& p = *impl_->painter;
  p.save();
  if (round.cx > 0 && round.cy > 0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(ToQRect(rc)), round.cx / 2.0, round.cy / 2.0);
    p.setClipPath(path, Qt::IntersectClip);
  } else {
    p.setClipRect(ToQRect(rc), Qt::IntersectClip);
  }
}

void CRenderUI::PopClip() {
  impl_->painter->restore();
}

}  // namespace zbe
