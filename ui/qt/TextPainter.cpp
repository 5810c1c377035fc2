#include "ui/qt/TextPainter.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <vector>

#include "ui/TextMarkup.h"
#include "ui/UIDefs.h"
#include "ui/qt/QtBridge.h"

namespace zbe {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

struct Paragraph {
  QString text;
  QList<QTextLayout::FormatRange> formats;
};

QString Normalize(QString s, bool singleLine) {
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  if (singleLine)
    s.replace(QChar('\n'), QChar(' '));
  s.replace(QChar('\t'), QStringLiteral("    "));
  return s;
}

std::vector<Paragraph> BuildParagraphs(const std::string& text, bool markup, bool singleLine) {
  std::vector<Paragraph> paras(1);
  if (!markup) {
    const QStringList parts = Normalize(ToQ(text), singleLine).split(QChar('\n'));
    paras.clear();
    for (const QString& p : parts)
      paras.push_back(Paragraph{p, {}});
    return paras;
  }
  for (const UITextRun& run : ParseTextMarkup(text)) {
    QTextCharFormat fmt;
    if (run.bold)
      fmt.setFontWeight(QFont::Bold);
    if (run.italic)
      fmt.setFontItalic(true);
    if (run.underline)
      fmt.setFontUnderline(true);
    if (run.color != 0)
      fmt.setForeground(ToQColor(run.color));
    const QStringList parts = Normalize(ToQ(run.text), singleLine).split(QChar('\n'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0)
        paras.emplace_back();
      Paragraph& p = paras.back();
      if (parts[i].isEmpty())
        continue;
      QTextLayout::FormatRange r;
      r.start = static_cast<int>(p.text.size());
      r.length = static_cast<int>(parts[i].size());
      r.format = fmt;
      p.formats.push_back(r);
      p.text += parts[i];
    }
  }
  return paras;
}

struct LaidLine {
  int paragraph;
  int start;
  int length;
  qreal width;
  qreal y;  // relative to the block top
  qreal height;
};

// Lays "paras" out at "width" (unlimited when wrap is false) into "layouts"; returns the lines.
std::vector<LaidLine> LayoutParagraphs(std::vector<Paragraph>& paras,
                                       std::vector<std::unique_ptr<QTextLayout>>& layouts,
                                       const QFont& font, bool wrap, int width) {
  std::vector<LaidLine> lines;
  qreal y = 0;
  QTextOption opt;
  opt.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  for (size_t i = 0; i < paras.size(); ++i) {
    auto layout = std::make_unique<QTextLayout>(paras[i].text, font);
    layout->setTextOption(opt);
    layout->setFormats(paras[i].formats);
    layout->beginLayout();
    for (;;) {
      QTextLine line = layout->createLine();
      if (!line.isValid())
        break;
      // Setting the width lays the line out; an unwrapped line gets all the room it wants.
      line.setLineWidth(wrap ? std::max(1, width) : 1e7);
      line.setPosition(QPointF(0, y));
      lines.push_back(LaidLine{static_cast<int>(i), line.textStart(), line.textLength(),
                               line.naturalTextWidth(), y, line.height()});
      y += line.height();
    }
    layout->endLayout();
    layouts.push_back(std::move(layout));
  }
  return lines;
}

// Cuts paragraph "p" to fit "width" from position "start", ending in an ellipsis.
Paragraph ElideParagraph(const Paragraph& p, int start, const QFont& font, int width) {
  Paragraph out;
  QString rest = p.text.mid(start);
  QTextLayout probe(rest, font);
  QList<QTextLayout::FormatRange> shifted;
  for (const auto& r : p.formats) {
    int s = std::max(r.start - start, 0);
    int e = r.start + r.length - start;
    if (e <= 0)
      continue;
    QTextLayout::FormatRange n = r;
    n.start = s;
    n.length = e - s;
    shifted.push_back(n);
  }
  probe.setFormats(shifted);
  probe.beginLayout();
  QTextLine line = probe.createLine();
  int keep = static_cast<int>(rest.size());
  if (line.isValid()) {
    line.setLineWidth(1e6);
    const int ell = QFontMetrics(font).horizontalAdvance(kEllipsis);
    if (line.naturalTextWidth() > width) {
      keep = line.xToCursor(std::max(0, width - ell), QTextLine::CursorBetweenCharacters);
      // xToCursor rounds to the nearest edge; step back while the kept part is still too wide.
      while (keep > 0 && line.cursorToX(keep) > width - ell)
        --keep;
      out.text = rest.left(keep) + kEllipsis;
    } else {
      out.text = rest;
    }
  }
  probe.endLayout();
  for (const auto& r : shifted) {
    if (r.start >= keep)
      continue;
    QTextLayout::FormatRange n = r;
    n.length = std::min(r.start + r.length, keep) - r.start;
    out.formats.push_back(n);
  }
  if (out.text.endsWith(kEllipsis) && !out.formats.isEmpty()) {
    // The ellipsis takes the look of the text it replaces.
    QTextLayout::FormatRange n = out.formats.back();
    if (n.start + n.length == keep) {
      n.start = keep;
      n.length = 1;
      out.formats.push_back(n);
    }
  }
  return out;
}

}  // namespace

void PaintUIText(QPainter& painter, const QRect& rc, const std::string& text, const QFont& font,
                 const QColor& color, uint32_t style, bool markup) {
  if (text.empty() || rc.width() <= 0 || rc.height() <= 0)
    return;
  const bool single = (style & UIText::kSingleLine) != 0 || (style & UIText::kWordBreak) == 0;
  const bool wrap = !single && (style & UIText::kWordBreak) != 0;
  const bool ellipsis = (style & UIText::kEndEllipsis) != 0;
  painter.save();
  painter.setFont(font);
  painter.setPen(color);
  painter.setClipRect(rc, Qt::IntersectClip);

  int hAlign = (style & UIText::kCenter) ? 1 : (style & UIText::kRight) ? 2 : 0;
  if (!markup && single && text.find('\n') == std::string::npos) {
    // The common case of list cells and buttons: no layout objects needed.
    QFontMetrics fm(font);
    QString s = Normalize(ToQ(text), true);
    if (ellipsis && fm.horizontalAdvance(s) > rc.width()) {
      s = fm.elidedText(s, Qt::ElideRight, rc.width());
    }
    int flags = Qt::TextSingleLine;
    flags |= hAlign == 1 ? Qt::AlignHCenter : hAlign == 2 ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (style & UIText::kVCenter)  ? Qt::AlignVCenter
             : (style & UIText::kBottom) ? Qt::AlignBottom
                                         : Qt::AlignTop;
    painter.drawText(rc, flags, s);
    painter.restore();
    return;
  }

  std::vector<Paragraph> paras = BuildParagraphs(text, markup, single);
  std::vector<std::unique_ptr<QTextLayout>> layouts;
  std::vector<LaidLine> lines = LayoutParagraphs(paras, layouts, font, wrap, rc.width());

  // Lines that fit; the last one is cut with an ellipsis when text remains.
  size_t visible = lines.size();
  if (ellipsis) {
    if (wrap) {
      visible = 0;
      while (visible < lines.size() &&
             lines[visible].y + lines[visible].height <= rc.height() + 0.5) {
        ++visible;
      }
      if (visible == 0 && !lines.empty())
        visible = 1;
    }
    bool cut = visible < lines.size();
    if (!cut) {
      for (size_t i = 0; i < visible; ++i) {
        if (lines[i].width > rc.width() + 0.5)
          cut = true;
      }
    }
    if (cut) {
      const LaidLine last = lines[visible - 1];
      // Rebuild: paragraphs before the last line's paragraph as laid out, then the elided rest.
      std::vector<LaidLine> newLines(lines.begin(), lines.begin() + static_cast<long>(visible) - 1);
      Paragraph elided = ElideParagraph(paras[last.paragraph], last.start, font, rc.width());
      auto layout = std::make_unique<QTextLayout>(elided.text, font);
      QTextOption opt;
      opt.setWrapMode(QTextOption::NoWrap);
      layout->setTextOption(opt);
      layout->setFormats(elided.formats);
      layout->beginLayout();
      QTextLine line = layout->createLine();
      line.setPosition(QPointF(0, last.y));
      layout->endLayout();
      // Draw the kept lines from their layouts, then the elided line.
      qreal total = last.y + line.height();
      qreal top = rc.top();
      if (style & UIText::kVCenter)
        top += (rc.height() - total) / 2;
      else if (style & UIText::kBottom)
        top += rc.height() - total;
      for (const LaidLine& l : newLines) {
        QTextLine tl = layouts[l.paragraph]->lineForTextPosition(l.start);
        qreal x = rc.left() + (hAlign == 1   ? (rc.width() - l.width) / 2
                               : hAlign == 2 ? rc.width() - l.width
                                             : 0);
        tl.draw(&painter, QPointF(x - tl.x(), top));
      }
      qreal w = line.naturalTextWidth();
      qreal x = rc.left() + (hAlign == 1 ? (rc.width() - w) / 2 : hAlign == 2 ? rc.width() - w : 0);
      line.draw(&painter, QPointF(x, top));
      painter.restore();
      return;
    }
  }

  qreal total = lines.empty() ? 0 : lines.back().y + lines.back().height;
  qreal top = rc.top();
  if (style & UIText::kVCenter)
    top += (rc.height() - total) / 2;
  else if (style & UIText::kBottom)
    top += rc.height() - total;
  for (const LaidLine& l : lines) {
    QTextLine tl = layouts[l.paragraph]->lineForTextPosition(l.start);
    if (!tl.isValid())
      continue;
    qreal x = rc.left() + (hAlign == 1   ? (rc.width() - l.width) / 2
                           : hAlign == 2 ? rc.width() - l.width
                                         : 0);
    tl.draw(&painter, QPointF(x - tl.x(), top));
  }
  painter.restore();
}

QSize MeasureUIText(const std::string& text, const QFont& font, uint32_t style, int width,
                    bool markup) {
  QFontMetrics fm(font);
  if (text.empty())
    return QSize(0, fm.height());
  const bool single = (style & UIText::kSingleLine) != 0 || (style & UIText::kWordBreak) == 0;
  const bool wrap = !single && (style & UIText::kWordBreak) != 0 && width > 0;
  std::vector<Paragraph> paras = BuildParagraphs(text, markup, single);
  std::vector<std::unique_ptr<QTextLayout>> layouts;
  std::vector<LaidLine> lines = LayoutParagraphs(paras, layouts, font, wrap, width);
  qreal w = 0;
  for (const LaidLine& l : lines)
    w = std::max(w, l.width);
  qreal h = lines.empty() ? fm.height() : lines.back().y + lines.back().height;
  return QSize(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
}

}  // namespace zbe
