#include "ui/qt/TextDocumentView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>

#include "ui/qt/QtBridge.h"

namespace zbe {

TextDocumentView::TextDocumentView(std::unique_ptr<QTextDocument> doc) : doc_(std::move(doc)) {
  doc_->setDocumentMargin(4);
}

void TextDocumentView::Replace(std::unique_ptr<QTextDocument> doc) {
  doc_ = std::move(doc);
  doc_->setDocumentMargin(4);
  const int w = width_;
  width_ = -1;
  if (w > 0)
    SetWidth(w);
  ClearSelection();
}

bool TextDocumentView::SetWidth(int width) {
  if (width == width_)
    return false;
  width_ = width;
  doc_->setTextWidth(std::max(1, width));
  return true;
}

int TextDocumentView::Height() const {
  return static_cast<int>(std::ceil(doc_->size().height()));
}

void TextDocumentView::Paint(QPainter& painter, const UIRect& inner, int scrollY,
                             const UIRect& rcPaint, UIColor textColor) const {
  const UIRect visible = inner.Intersect(rcPaint);
  if (visible.IsEmpty())
    return;
  const QPoint origin(inner.left, inner.top - scrollY);
  const QRect clip = ToQRect(visible);
  const QColor text = ToQColor(textColor);
  painter.save();
  painter.setClipRect(clip, Qt::IntersectClip);
  painter.translate(origin);
  QAbstractTextDocumentLayout::PaintContext ctx;
  ctx.palette.setColor(QPalette::Text, text);
  ctx.clip = QRectF(clip.translated(-origin));
  if (anchor_ != position_) {
    QAbstractTextDocumentLayout::Selection sel;
    QTextCursor cursor(doc_.get());
    cursor.setPosition(anchor_);
    cursor.setPosition(position_, QTextCursor::KeepAnchor);
    sel.cursor = cursor;
    sel.format.setBackground(QColor(0x3B, 0x82, 0xF6, 0x66));
    ctx.selections.append(sel);
  }
  doc_->documentLayout()->draw(&painter, ctx);
  painter.restore();
}

QPointF TextDocumentView::DocumentPoint(UIPoint pt, const UIRect& inner, int scrollY) {
  return QPointF(pt.x - inner.left, pt.y - inner.top + scrollY);
}

int TextDocumentView::HitTest(const QPointF& docPoint) const {
  int pos = doc_->documentLayout()->hitTest(docPoint, Qt::FuzzyHit);
  return std::max(0, pos);
}

void TextDocumentView::SetSelection(int anchor, int position) {
  const int last = std::max(0, doc_->characterCount() - 1);
  anchor_ = std::clamp(anchor, 0, last);
  position_ = std::clamp(position, 0, last);
}

void TextDocumentView::SelectAll() {
  SetSelection(0, doc_->characterCount() - 1);
}

void TextDocumentView::ClearSelection() {
  anchor_ = position_ = 0;
}

std::string TextDocumentView::SelectedText() const {
  if (anchor_ == position_)
    return {};
  QTextCursor cursor(doc_.get());
  cursor.setPosition(anchor_);
  cursor.setPosition(position_, QTextCursor::KeepAnchor);
  QString s = cursor.selectedText();
  s.replace(QChar::ParagraphSeparator, QChar('\n'));
  s.replace(QChar::LineSeparator, QChar('\n'));
  return FromQ(s);
}

void TextDocumentView::CopySelection() const {
  std::string s = SelectedText();
  if (s.empty())
    return;
  if (QClipboard* cb = QGuiApplication::clipboard())
    cb->setText(ToQ(s));
}

void TextDocumentView::PressAt(const QPointF& docPoint) {
  dragging_ = true;
  dragAnchor_ = HitTest(docPoint);
  SetSelection(dragAnchor_, dragAnchor_);
}

bool TextDocumentView::DragTo(const QPointF& docPoint) {
  if (!dragging_)
    return false;
  SetSelection(dragAnchor_, HitTest(docPoint));
  return true;
}

}  // namespace zbe
