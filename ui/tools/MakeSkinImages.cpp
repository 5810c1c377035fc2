// Draws the skin's images: Controls.png (sprites at fixed rectangles that layouts and pages
// cut out by "source"), Others.png (the product logo), the window icon, the two filter switch
// images and the two loading animations. Run by hand when the art changes; its output is committed:
//   make-skin-images <skin folder>
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QString>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/tools/ProductMark.h"

namespace {

const QColor kAccent(0x25, 0x63, 0xEB);
const QColor kAccentDark(0x1D, 0x4E, 0xD8);
const QColor kAccentLight(0x3B, 0x82, 0xF6);
const QColor kInk(0x0F, 0x17, 0x2A);
const QColor kSlate(0x47, 0x55, 0x69);
const QColor kBorder(0xCB, 0xD2, 0xDB);
const QColor kBorderDark(0x9A, 0xA5, 0xB4);
const QColor kWhite(0xFF, 0xFF, 0xFF);

QPen Pen(const QColor& c, qreal w) {
  QPen p(c, w);
  p.setCapStyle(Qt::RoundCap);
  p.setJoinStyle(Qt::RoundJoin);
  return p;
}

// Runs "draw" with the painter's origin at (x, y).
template <class F>
void At(QPainter& p, int x, int y, F draw) {
  p.save();
  p.translate(x, y);
  draw();
  p.restore();
}

void RoundBox(QPainter& p, QRectF r, qreal radius, const QBrush& fill,
              const QPen& pen = Qt::NoPen) {
  p.setPen(pen);
  p.setBrush(fill);
  p.drawRoundedRect(r, radius, radius);
}

// --- check boxes and radios -------------------------------------------------------------------

void CheckBox(QPainter& p, int x, int y, int size, int state, bool hot = false,
              bool disabled = false) {
  At(p, x, y, [&] {
    const qreal s = size;
    if (state == 0) {
      RoundBox(p, QRectF(0.5, 0.5, s - 1, s - 1), 3.5, disabled ? QColor(0xE5, 0xE7, 0xEB) : kWhite,
               Pen(hot ? kAccent : kBorderDark, 1));
      return;
    }
    const QColor fill = disabled ? QColor(0xB8, 0xC0, 0xCC) : (hot ? kAccentDark : kAccent);
    RoundBox(p, QRectF(0, 0, s, s), 4, fill);
    if (state == 1) {
      QPainterPath tick;
      tick.moveTo(s * 0.26, s * 0.52);
      tick.lineTo(s * 0.44, s * 0.70);
      tick.lineTo(s * 0.76, s * 0.32);
      p.setPen(Pen(kWhite, s >= 17 ? 2.2 : 1.9));
      p.setBrush(Qt::NoBrush);
      p.drawPath(tick);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(kWhite);
      p.drawRoundedRect(QRectF(s * 0.25, s * 0.44, s * 0.5, s * 0.13), 1, 1);
    }
  });
}

void Radio(QPainter& p, int x, int y, int size, bool on, bool hot = false, bool disabled = false) {
  At(p, x, y, [&] {
    const qreal s = size;
    if (!on) {
      p.setPen(Pen(hot ? kAccent : kBorderDark, 1));
      p.setBrush(disabled ? QColor(0xE5, 0xE7, 0xEB) : kWhite);
      p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
      return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(disabled ? QColor(0xB8, 0xC0, 0xCC) : (hot ? kAccentDark : kAccent));
    p.drawEllipse(QRectF(0, 0, s, s));
    p.setBrush(kWhite);
    p.drawEllipse(QRectF(s * 0.32, s * 0.32, s * 0.36, s * 0.36));
  });
}

// --- buttons, edits, caption buttons ------------------------------------------------------------

// A button face, 96 x 36, rounded; nine-sliced with corner 8 by the layouts.
void ButtonFace(QPainter& p, int x, int y, const QColor& top, const QColor& bottom,
                const QColor& border, bool shadow) {
  At(p, x, y, [&] {
    if (shadow)
      RoundBox(p, QRectF(0, 1, 96, 35), 7, QColor(15, 23, 42, 20));
    QLinearGradient g(0, 0, 0, 34);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    RoundBox(p, QRectF(0.5, 0.5, 95, 34), 6.5, g, Pen(border, 1));
  });
}

void EditFrame(QPainter& p, int x, int y, const QColor& fill, const QColor& border, bool ring) {
  At(p, x, y, [&] {
    if (ring)
      RoundBox(p, QRectF(0, 0, 96, 36), 8, QColor(0x25, 0x63, 0xEB, 40));
    RoundBox(p, QRectF(ring ? 2.5 : 0.5, ring ? 2.5 : 0.5, ring ? 91 : 95, ring ? 31 : 35), 6, fill,
             Pen(border, ring ? 1.5 : 1));
  });
}

void CaptionGlyph(QPainter& p, int x, int y, int kind, bool hot) {
  At(p, x, y, [&] {
    if (hot) {
      RoundBox(p, QRectF(2, 2, 28, 28), 6,
               kind == 3 ? QColor(0xE1, 0x1D, 0x48) : QColor(0xE2, 0xE8, 0xF0));
    }
    const QColor ink = (hot && kind == 3) ? kWhite : kSlate;
    p.setPen(Pen(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
      case 0:
        p.drawLine(QPointF(11, 16.5), QPointF(21, 16.5));
        break;
      case 1:
        p.drawRoundedRect(QRectF(11.5, 11.5, 9, 9), 1.5, 1.5);
        break;
      case 2:
        p.drawRoundedRect(QRectF(10.5, 13.5, 8, 8), 1.5, 1.5);
        p.drawPolyline(QList<QPointF>{{13.5, 11.5}, {21.5, 11.5}, {21.5, 19.5}});
        break;
      default:
        p.drawLine(QPointF(11.5, 11.5), QPointF(20.5, 20.5));
        p.drawLine(QPointF(20.5, 11.5), QPointF(11.5, 20.5));
    }
  });
}

// --- icons ------------------------------------------------------------------------------------

void AppTile(QPainter& p, int x, int y, const QColor& top, const QColor& bottom) {
  QLinearGradient g(x, y, x, y + 18);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  RoundBox(p, QRectF(x, y, 18, 18), 4.5, g);
}

void CategoryIcon(QPainter& p, int x, int y, int kind) {
  struct Tint {
    QColor top, bottom;
  };
  static const Tint tints[] = {
      {QColor(0xFB, 0x92, 0x3C), QColor(0xEA, 0x58, 0x0C)},  // camera roll
      {QColor(0x38, 0xBD, 0xF8), QColor(0x02, 0x84, 0xC7)},  // photo stream
      {QColor(0xA7, 0x8B, 0xFA), QColor(0x7C, 0x3A, 0xED)},  // app photos
      {QColor(0xF4, 0x72, 0xB6), QColor(0xDB, 0x27, 0x77)},  // app videos
      {QColor(0x4A, 0xDE, 0x80), QColor(0x16, 0xA3, 0x4A)},  // messages
      {QColor(0x2D, 0xD4, 0xBF), QColor(0x0D, 0x94, 0x88)},  // attachments
      {QColor(0x94, 0xA3, 0xB8), QColor(0x64, 0x74, 0x8B)},  // contacts
      {QColor(0x34, 0xD3, 0x99), QColor(0x05, 0x96, 0x69)},  // call history
      {QColor(0xFB, 0xBF, 0x24), QColor(0xD9, 0x77, 0x06)},  // notes
      {QColor(0x4A, 0xDE, 0x80), QColor(0x15, 0x80, 0x3D)},  // WhatsApp
      {QColor(0xF8, 0x71, 0x71), QColor(0xDC, 0x26, 0x26)},  // reminder
      {QColor(0xFD, 0xA4, 0xAF), QColor(0xE1, 0x1D, 0x48)},  // calendar
      {QColor(0x60, 0xA5, 0xFA), QColor(0x25, 0x63, 0xEB)},  // bookmark
  };
  AppTile(p, x, y, tints[kind].top, tints[kind].bottom);
  At(p, x, y, [&] {
    p.setPen(Pen(kWhite, 1.3));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
      case 0:  // camera
        p.drawRoundedRect(QRectF(3.5, 6, 11, 7.5), 1.5, 1.5);
        p.drawLine(QPointF(7, 6), QPointF(8, 4.5));
        p.drawLine(QPointF(8, 4.5), QPointF(10, 4.5));
        p.drawLine(QPointF(10, 4.5), QPointF(11, 6));
        p.drawEllipse(QPointF(9, 9.7), 2.1, 2.1);
        break;
      case 1: {  // cloud
        QPainterPath c;
        c.moveTo(5, 12.5);
        c.cubicTo(2.5, 12.5, 2.5, 8.5, 5.2, 8.6);
        c.cubicTo(5.6, 5.2, 10.5, 4.6, 11.6, 7.6);
        c.cubicTo(15, 7.2, 15.8, 12.5, 12.6, 12.5);
        c.closeSubpath();
        p.drawPath(c);
        break;
      }
      case 2:  // picture
        p.drawRoundedRect(QRectF(3.5, 4.5, 11, 9), 1.5, 1.5);
        p.drawPolyline(QList<QPointF>{{4.5, 12.5}, {8, 9}, {10, 11}, {11.5, 9.5}, {13.5, 11.5}});
        p.setBrush(kWhite);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(11.5, 7), 1.1, 1.1);
        break;
      case 3:  // video
        p.drawRoundedRect(QRectF(3, 5.5, 8.5, 7), 1.5, 1.5);
        p.drawPolyline(QList<QPointF>{{11.5, 8}, {15, 6}, {15, 12}, {11.5, 10}});
        break;
      case 4:
      case 9: {  // chat bubble
        QPainterPath b;
        b.addRoundedRect(QRectF(3.5, 4, 11, 8), 3.5, 3.5);
        p.drawPath(b);
        p.drawPolyline(QList<QPointF>{{6, 12}, {5.2, 14.5}, {8.5, 12}});
        if (kind == 9) {
          p.setPen(Pen(kWhite, 1.1));
          p.drawArc(QRectF(6.5, 6, 5, 4), 200 * 16, 140 * 16);
        }
        break;
      }
      case 5: {  // paperclip
        QPainterPath clip;
        clip.moveTo(11.5, 7);
        clip.lineTo(7.2, 11.3);
        clip.cubicTo(6, 12.5, 4.4, 11, 5.6, 9.8);
        clip.lineTo(10.4, 5);
        clip.cubicTo(12.4, 3, 15, 5.6, 13, 7.6);
        clip.lineTo(8.2, 12.4);
        clip.cubicTo(5.5, 15, 1.8, 11.3, 4.5, 8.6);
        clip.lineTo(8, 5.1);
        p.drawPath(clip);
        break;
      }
      case 6:  // person
        p.drawEllipse(QPointF(9, 6.6), 2.5, 2.5);
        p.drawArc(QRectF(4.2, 10, 9.6, 8), 20 * 16, 140 * 16);
        break;
      case 7: {  // phone handset
        QPainterPath h;
        h.moveTo(5.5, 4.5);
        h.lineTo(7.3, 4.5);
        h.lineTo(8.3, 7.2);
        h.lineTo(7, 8.3);
        h.cubicTo(7.8, 10, 8.8, 11, 10.2, 11.6);
        h.lineTo(11.3, 10.3);
        h.lineTo(13.8, 11.3);
        h.lineTo(13.8, 13.1);
        h.cubicTo(9.5, 14.2, 4.2, 8.9, 5.5, 4.5);
        p.setBrush(kWhite);
        p.setPen(Qt::NoPen);
        p.drawPath(h);
        break;
      }
      case 8:  // note lines
        p.drawRoundedRect(QRectF(4.5, 3.5, 9, 11), 1.5, 1.5);
        p.drawLine(QPointF(6.5, 7), QPointF(11.5, 7));
        p.drawLine(QPointF(6.5, 9.5), QPointF(11.5, 9.5));
        p.drawLine(QPointF(6.5, 12), QPointF(9.5, 12));
        break;
      case 10:  // bell
        p.drawPolyline(QList<QPointF>{{5, 12}, {6, 10.5}, {6, 8}});
        p.drawArc(QRectF(6, 4.5, 6, 7), 0, 180 * 16);
        p.drawPolyline(QList<QPointF>{{12, 8}, {12, 10.5}, {13, 12}, {5, 12}});
        p.drawLine(QPointF(8, 13.8), QPointF(10, 13.8));
        break;
      case 11:  // calendar
        p.drawRoundedRect(QRectF(3.5, 4.5, 11, 10), 1.5, 1.5);
        p.drawLine(QPointF(3.5, 7.5), QPointF(14.5, 7.5));
        p.drawLine(QPointF(6.5, 3), QPointF(6.5, 5.5));
        p.drawLine(QPointF(11.5, 3), QPointF(11.5, 5.5));
        p.setBrush(kWhite);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(6, 9.5, 2, 2));
        p.drawRect(QRectF(10, 9.5, 2, 2));
        break;
      default: {  // bookmark
        QPainterPath m;
        m.moveTo(5.5, 3.5);
        m.lineTo(12.5, 3.5);
        m.lineTo(12.5, 14.5);
        m.lineTo(9, 11.5);
        m.lineTo(5.5, 14.5);
        m.closeSubpath();
        p.drawPath(m);
      }
    }
  });
}

void FileIcon(QPainter& p, int x, int y, int kind) {
  At(p, x, y, [&] {
    if (kind == 0) {  // folder
      QLinearGradient g(0, 3, 0, 16);
      g.setColorAt(0, QColor(0xFC, 0xD3, 0x4D));
      g.setColorAt(1, QColor(0xF5, 0x9E, 0x0B));
      QPainterPath tab;
      tab.addRoundedRect(QRectF(1, 3, 7, 4), 1.2, 1.2);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xD9, 0x77, 0x06));
      p.drawPath(tab);
      RoundBox(p, QRectF(1, 5, 16, 11), 1.8, g);
      return;
    }
    // A page with a folded corner and a badge.
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(11, 1.5);
    page.lineTo(14.5, 5);
    page.lineTo(14.5, 16.5);
    page.lineTo(3.5, 16.5);
    page.closeSubpath();
    p.setPen(Pen(kBorderDark, 1));
    p.setBrush(kWhite);
    p.drawPath(page);
    p.drawPolyline(QList<QPointF>{{11, 1.5}, {11, 5}, {14.5, 5}});
    if (kind == 1) {
      RoundBox(p, QRectF(5.5, 8, 7, 6), 1, QColor(0x38, 0xBD, 0xF8));
      p.setPen(Pen(kWhite, 1));
      p.drawPolyline(QList<QPointF>{{6, 13.5}, {8.3, 11}, {10, 12.5}, {12, 10.5}});
    } else {
      RoundBox(p, QRectF(5.5, 8, 7, 6), 1, QColor(0x8B, 0x5C, 0xF6));
      QPainterPath play;
      play.moveTo(8, 9.5);
      play.lineTo(10.6, 11);
      play.lineTo(8, 12.5);
      play.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(kWhite);
      p.drawPath(play);
    }
  });
}

// A phone beside a backup symbol (48 x 26); the encrypted one carries a padlock.
void BackupIcon(QPainter& p, int x, int y, bool locked) {
  At(p, x, y, [&] {
    QLinearGradient g(0, 1, 0, 25);
    g.setColorAt(0, QColor(0x33, 0x41, 0x55));
    g.setColorAt(1, QColor(0x0F, 0x17, 0x2A));
    RoundBox(p, QRectF(8, 1, 14, 24), 3, g);
    RoundBox(p, QRectF(9.5, 3.5, 11, 17.5), 1.2, QColor(0x93, 0xC5, 0xFD));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x64, 0x74, 0x8B));
    p.drawRoundedRect(QRectF(13, 22.2, 4, 1.3), 0.6, 0.6);
    if (locked) {
      p.setPen(Pen(QColor(0xB4, 0x53, 0x09), 1.8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(29, 6, 9, 10), 0, 180 * 16);
      p.drawLine(QPointF(29, 11), QPointF(29, 13));
      p.drawLine(QPointF(38, 11), QPointF(38, 13));
      QLinearGradient lg(0, 12, 0, 24);
      lg.setColorAt(0, QColor(0xFB, 0xBF, 0x24));
      lg.setColorAt(1, QColor(0xD9, 0x77, 0x06));
      RoundBox(p, QRectF(26.5, 12, 14, 11), 2.5, lg);
      p.setBrush(QColor(0x78, 0x35, 0x0F));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(33.5, 16.6), 1.5, 1.5);
      p.drawRect(QRectF(33, 17, 1, 3));
    } else {
      // Two arrows in a circle: a backup.
      p.setPen(Pen(QColor(0x16, 0xA3, 0x4A), 1.8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(27, 6, 13, 13), 30 * 16, 150 * 16);
      p.drawArc(QRectF(27, 6, 13, 13), 210 * 16, 150 * 16);
      p.drawPolyline(QList<QPointF>{{37.8, 5.8}, {38.6, 8.6}, {35.8, 9.2}});
      p.drawPolyline(QList<QPointF>{{29.2, 19.2}, {28.4, 16.4}, {31.2, 15.8}});
    }
  });
}

void Remark(QPainter& p, int x, int y) {
  At(p, x, y, [&] {
    QRadialGradient glow(26.5, 26.5, 26.5);
    glow.setColorAt(0.78, QColor(0x22, 0xC5, 0x5E, 60));
    glow.setColorAt(1.0, QColor(0x22, 0xC5, 0x5E, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QRectF(0, 0, 53, 53));
    QLinearGradient g(0, 6, 0, 47);
    g.setColorAt(0, QColor(0x4A, 0xDE, 0x80));
    g.setColorAt(1, QColor(0x16, 0xA3, 0x4A));
    p.setBrush(g);
    p.drawEllipse(QRectF(6, 6, 41, 41));
    p.setPen(Pen(kWhite, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QList<QPointF>{{17, 27.5}, {23.5, 34}, {36, 20.5}});
  });
}

// Message box icons, 40 x 40: 0 error, 1 confirm, 2 information, 3 warning, 4 question.
void MessageIcon(QPainter& p, int x, int y, int kind) {
  At(p, x, y, [&] {
    struct Tint {
      QColor top, bottom;
    };
    const Tint tints[] = {
        {QColor(0xF8, 0x71, 0x71), QColor(0xDC, 0x26, 0x26)},
        {kAccentLight, kAccentDark},
        {QColor(0x38, 0xBD, 0xF8), QColor(0x02, 0x84, 0xC7)},
        {QColor(0xFB, 0xBF, 0x24), QColor(0xD9, 0x77, 0x06)},
        {kAccentLight, kAccentDark},
    };
    QLinearGradient g(0, 2, 0, 38);
    g.setColorAt(0, tints[kind].top);
    g.setColorAt(1, tints[kind].bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    if (kind == 3) {
      QPainterPath tri;
      tri.moveTo(20, 3);
      tri.lineTo(38, 36);
      tri.lineTo(2, 36);
      tri.closeSubpath();
      QPainterPathStroker rounder;
      rounder.setWidth(4);
      rounder.setJoinStyle(Qt::RoundJoin);
      p.drawPath(rounder.createStroke(tri).united(tri));
    } else {
      p.drawEllipse(QRectF(2, 2, 36, 36));
    }
    p.setPen(Pen(kWhite, 3.4));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
      case 0:
        p.drawLine(QPointF(14, 14), QPointF(26, 26));
        p.drawLine(QPointF(26, 14), QPointF(14, 26));
        break;
      case 1:
        p.drawPolyline(QList<QPointF>{{12.5, 20.5}, {18, 26}, {28, 15}});
        break;
      case 2:
        p.drawLine(QPointF(20, 18.5), QPointF(20, 28));
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        p.drawEllipse(QPointF(20, 12.5), 2.2, 2.2);
        break;
      case 3:
        p.drawLine(QPointF(20, 14), QPointF(20, 24.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        p.drawEllipse(QPointF(20, 30), 2.1, 2.1);
        break;
      default: {
        QPainterPath q;
        q.moveTo(15, 15.5);
        q.cubicTo(15, 9.5, 25.5, 9.5, 25.5, 15.5);
        q.cubicTo(25.5, 19.5, 20, 19.5, 20, 23.5);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(kWhite);
        p.drawEllipse(QPointF(20, 29.5), 2.2, 2.2);
        break;
      }
    }
  });
}

// The password window's padlock on a tile, 40 x 40.
void PadlockTile(QPainter& p, int x, int y) {
  At(p, x, y, [&] {
    QLinearGradient g(0, 2, 0, 38);
    g.setColorAt(0, QColor(0xFE, 0xF3, 0xC7));
    g.setColorAt(1, QColor(0xFD, 0xE6, 0x8A));
    RoundBox(p, QRectF(1, 1, 38, 38), 10, g);
    p.setPen(Pen(QColor(0xB4, 0x53, 0x09), 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(13.5, 8, 13, 14), 0, 180 * 16);
    p.drawLine(QPointF(13.5, 15), QPointF(13.5, 18));
    p.drawLine(QPointF(26.5, 15), QPointF(26.5, 18));
    QLinearGradient lg(0, 17, 0, 32);
    lg.setColorAt(0, QColor(0xFB, 0xBF, 0x24));
    lg.setColorAt(1, QColor(0xD9, 0x77, 0x06));
    RoundBox(p, QRectF(10, 17, 20, 15), 3.5, lg);
    p.setBrush(QColor(0x78, 0x35, 0x0F));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(20, 23.3), 2, 2);
    p.drawRect(QRectF(19.3, 23.5, 1.4, 4));
  });
}

void MenuCheck(QPainter& p, int x, int y) {
  At(p, x, y, [&] {
    p.setPen(Pen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QList<QPointF>{{3, 8.5}, {6.5, 12}, {13, 4.5}});
  });
}

// The product mark in a 56 x 56 box.
void LogoMark(QPainter& p) {
  zbe::art::DrawProductMark(p, QRectF(4, 4, 48, 48));
}

// The window icon, 128 x 128.
QImage WindowIcon() {
  QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(128.0 / 56.0, 128.0 / 56.0);
  LogoMark(p);
  return img;
}

void Logo(QPainter& p, int x, int y) {
  At(p, x, y, [&] {
    LogoMark(p);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(25);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(66, 0, 470, 56), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Zorvane Backup Extractor"));
  });
}

// The filter switch, 78 x 19.
QImage Switch(bool on) {
  QImage img(78, 19, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  RoundBox(p, QRectF(0.5, 0.5, 77, 18), 9, on ? kAccent : QColor(0xE2, 0xE8, 0xF0),
           Pen(on ? kAccentDark : kBorder, 1));
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  p.drawEllipse(on ? QRectF(60, 2, 15, 15) : QRectF(3, 2, 15, 15));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(10);
  f.setBold(true);
  p.setFont(f);
  p.setPen(on ? kWhite : kSlate);
  p.drawText(on ? QRectF(8, 0, 50, 19) : QRectF(20, 0, 52, 19), Qt::AlignCenter,
             on ? QStringLiteral("ON") : QStringLiteral("OFF"));
  return img;
}

// --- GIF writing ------------------------------------------------------------------------------

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}
  void Put(unsigned code, int bits) {
    acc_ |= static_cast<uint32_t>(code) << nbits_;
    nbits_ += bits;
    while (nbits_ >= 8) {
      block_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
      acc_ >>= 8;
      nbits_ -= 8;
      if (block_.size() == 255)
        Flush();
    }
  }
  void Finish() {
    if (nbits_ > 0)
      block_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
    Flush();
    out_->push_back(0);
  }

 private:
  void Flush() {
    if (block_.empty())
      return;
    out_->push_back(static_cast<uint8_t>(block_.size()));
    out_->insert(out_->end(), block_.begin(), block_.end());
    block_.clear();
  }
  std::vector<uint8_t>* out_;
  std::vector<uint8_t> block_;
  uint32_t acc_ = 0;
  int nbits_ = 0;
};

// LZW-compresses 8-bit indices the way GIF expects.
void LzwEncode(const std::vector<uint8_t>& pixels, std::vector<uint8_t>* out) {
  const int minCode = 8;
  out->push_back(minCode);
  BitWriter w(out);
  const unsigned clear = 1u << minCode, end = clear + 1;
  std::vector<int> table(4096 * 256, -1);
  unsigned next = end + 1;
  int bits = minCode + 1;
  w.Put(clear, bits);
  int prefix = pixels.empty() ? -1 : pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    const uint8_t c = pixels[i];
    int& slot = table[static_cast<size_t>(prefix) * 256 + c];
    if (slot >= 0) {
      prefix = slot;
      continue;
    }
    w.Put(static_cast<unsigned>(prefix), bits);
    if (next < 4096) {
      slot = static_cast<int>(next++);
      if (next > (1u << bits) && bits < 12)
        ++bits;
    } else {
      w.Put(clear, bits);
      std::fill(table.begin(), table.end(), -1);
      next = end + 1;
      bits = minCode + 1;
    }
    prefix = c;
  }
  if (prefix >= 0)
    w.Put(static_cast<unsigned>(prefix), bits);
  w.Put(end, bits);
  w.Finish();
}

void PutU16(std::vector<uint8_t>* out, int v) {
  out->push_back(static_cast<uint8_t>(v & 0xFF));
  out->push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

// Writes "frames" (opaque, same size) as a looping GIF with "delayCs" hundredths per frame.
bool WriteGif(const std::string& path, const std::vector<QImage>& frames, int delayCs) {
  // One palette for all frames: white to accent blue, white to the track grey.
  QList<QRgb> palette;
  for (int i = 0; i < 128; ++i) {
    const double t = i / 127.0;
    palette.push_back(qRgb(255 + (kAccent.red() - 255) * t, 255 + (kAccent.green() - 255) * t,
                           255 + (kAccent.blue() - 255) * t));
  }
  for (int i = 0; i < 128; ++i) {
    const double t = i / 127.0;
    palette.push_back(qRgb(255 + (0xD5 - 255) * t, 255 + (0xDB - 255) * t, 255 + (0xE3 - 255) * t));
  }
  const int w = frames[0].width(), h = frames[0].height();
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutU16(&out, w);
  PutU16(&out, h);
  out.push_back(0xF7);  // global table of 256 entries
  out.push_back(0);
  out.push_back(0);
  for (QRgb c : palette) {
    out.push_back(static_cast<uint8_t>(qRed(c)));
    out.push_back(static_cast<uint8_t>(qGreen(c)));
    out.push_back(static_cast<uint8_t>(qBlue(c)));
  }
  const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                          'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
  out.insert(out.end(), std::begin(loop), std::end(loop));
  for (const QImage& frame : frames) {
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x00});
    PutU16(&out, delayCs);
    out.push_back(0);
    out.push_back(0);
    out.push_back(0x2C);
    PutU16(&out, 0);
    PutU16(&out, 0);
    PutU16(&out, w);
    PutU16(&out, h);
    out.push_back(0);
    QImage indexed = frame.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(w) * h);
    for (int yy = 0; yy < h; ++yy) {
      const uchar* line = indexed.constScanLine(yy);
      pixels.insert(pixels.end(), line, line + w);
    }
    LzwEncode(pixels, &out);
  }
  out.push_back(0x3B);
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

// A spinner: a grey ring with a blue arc running round, "frames" steps per turn.
std::vector<QImage> Spinner(int size, int frames, qreal width, int arcDegrees) {
  std::vector<QImage> out;
  for (int i = 0; i < frames; ++i) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(width, width, size - 2 * width, size - 2 * width);
    p.setPen(Pen(QColor(0xD5, 0xDB, 0xE3), width));
    p.drawEllipse(r);
    p.setPen(Pen(kAccent, width));
    const int start = 90 * 16 - i * (360 * 16 / frames);
    p.drawArc(r, start, -arcDegrees * 16);
    out.push_back(img);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <skin folder>\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');

  QImage controls(600, 490, QImage::Format_ARGB32_Premultiplied);
  controls.fill(Qt::transparent);
  {
    QPainter p(&controls);
    p.setRenderHint(QPainter::Antialiasing);
    // Rectangles the pages cut out by source.
    CheckBox(p, 325, 75, 15, 0);
    CheckBox(p, 340, 75, 15, 1);
    CheckBox(p, 295, 75, 15, 2);
    BackupIcon(p, 53, 436, true);
    BackupIcon(p, 2, 436, false);
    FileIcon(p, 2, 465, 0);
    FileIcon(p, 29, 465, 1);
    FileIcon(p, 56, 465, 2);
    MenuCheck(p, 359, 38);
    Remark(p, 538, 1);
    for (int i = 0; i < 13; ++i)
      CategoryIcon(p, 1 + 18 * i, 410, i);
    // The application's own: message box icons at y 290 (x 140 + 45 × kind), the padlock tile
    // at 365,290.
    for (int kind = 0; kind < 5; ++kind)
      MessageIcon(p, 140 + 45 * kind, 290, kind);
    PadlockTile(p, 365, 290);
    // Sprites of the toolkit's own skins (gallery and defaults): buttons at y 100 and 140,
    // edit frames at 180, radios at 220, check boxes at 240, caption buttons at 280 and 312.
    ButtonFace(p, 0, 100, kWhite, QColor(0xF8, 0xFA, 0xFC), kBorder, true);
    ButtonFace(p, 100, 100, QColor(0xF8, 0xFA, 0xFC), QColor(0xF1, 0xF5, 0xF9), kBorderDark, true);
    ButtonFace(p, 200, 100, QColor(0xE2, 0xE8, 0xF0), QColor(0xE2, 0xE8, 0xF0), kBorderDark, false);
    ButtonFace(p, 300, 100, QColor(0xF1, 0xF5, 0xF9), QColor(0xF1, 0xF5, 0xF9),
               QColor(0xE2, 0xE8, 0xF0), false);
    ButtonFace(p, 400, 100, kWhite, QColor(0xF8, 0xFA, 0xFC), kAccent, true);
    ButtonFace(p, 0, 140, kAccentLight, kAccent, kAccentDark, true);
    ButtonFace(p, 100, 140, QColor(0x60, 0xA5, 0xFA), kAccentLight, kAccent, true);
    ButtonFace(p, 200, 140, kAccentDark, kAccentDark, QColor(0x1E, 0x40, 0xAF), false);
    ButtonFace(p, 300, 140, QColor(0xBF, 0xD3, 0xFB), QColor(0xBF, 0xD3, 0xFB),
               QColor(0xBF, 0xD3, 0xFB), false);
    ButtonFace(p, 400, 140, kAccentLight, kAccent, QColor(0x1E, 0x3A, 0x8A), true);
    EditFrame(p, 0, 180, kWhite, kBorder, false);
    EditFrame(p, 100, 180, kWhite, kBorderDark, false);
    EditFrame(p, 200, 180, kWhite, kAccent, true);
    EditFrame(p, 300, 180, QColor(0xF1, 0xF5, 0xF9), QColor(0xE2, 0xE8, 0xF0), false);
    Radio(p, 0, 220, 18, false);
    Radio(p, 20, 220, 18, true);
    Radio(p, 40, 220, 18, false, true);
    Radio(p, 60, 220, 18, true, true);
    Radio(p, 80, 220, 18, false, false, true);
    CheckBox(p, 0, 240, 18, 0);
    CheckBox(p, 20, 240, 18, 1);
    CheckBox(p, 40, 240, 18, 2);
    CheckBox(p, 60, 240, 18, 0, true);
    CheckBox(p, 80, 240, 18, 1, false, true);
    for (int k = 0; k < 4; ++k) {
      CaptionGlyph(p, 32 * k, 280, k, false);
      CaptionGlyph(p, 32 * k, 312, k, true);
    }
  }
  bool ok = controls.save(dir + QStringLiteral("Controls.png"), "PNG");

  QImage others(545, 340, QImage::Format_ARGB32_Premultiplied);
  others.fill(Qt::transparent);
  {
    QPainter p(&others);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Logo(p, 1, 277);
  }
  ok = others.save(dir + QStringLiteral("Others.png"), "PNG") && ok;
  ok = WindowIcon().save(dir + QStringLiteral("icon.png"), "PNG") && ok;
  ok = Switch(false).save(dir + QStringLiteral("optionOff.png"), "PNG") && ok;
  ok = Switch(true).save(dir + QStringLiteral("optionOn.png"), "PNG") && ok;
  ok = WriteGif((dir + QStringLiteral("loading.gif")).toStdString(), Spinner(64, 18, 5, 100), 5) &&
       ok;
  ok = WriteGif((dir + QStringLiteral("print_loading.gif")).toStdString(), Spinner(40, 12, 4, 90),
                7) &&
       ok;
  if (!ok) {
    std::fprintf(stderr, "make-skin-images: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
