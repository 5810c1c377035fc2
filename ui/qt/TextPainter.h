// Text layout and drawing for labels, lists, edits and menus: plain or markup text, aligned,
// on one line with an ellipsis or wrapped, measured the same way it is drawn.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>

namespace zbe {

// Draws "text" inside "rc" with UIText flags "style"; with "markup" the text is TextMarkup.
void PaintUIText(QPainter& painter, const QRect& rc, const std::string& text, const QFont& font,
                 const QColor& color, uint32_t style, bool markup);

// Size "text" takes when drawn with "style"; wrapping (kWordBreak) happens at "width".
QSize MeasureUIText(const std::string& text, const QFont& font, uint32_t style, int width,
                    bool markup);

}  // namespace zbe
