// A rich-text document shown inside a control: layout at the control's width, painting with a
// scroll offset and a selection, selecting with the mouse, and copying. Shared by the rich edit
// and the web browser controls.
#pragma once

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include <memory>
#include <string>

#include "ui/UIDefs.h"

namespace zbe {

class TextDocumentView {
 public:
  explicit TextDocumentView(std::unique_ptr<QTextDocument> doc);

  QTextDocument& Doc() { return *doc_; }
  const QTextDocument& Doc() const { return *doc_; }
  void Replace(std::unique_ptr<QTextDocument> doc);

  // Lays the document out at "width" pixels; returns true when the width changed.
  bool SetWidth(int width);
  int Height() const;

  // The view sits in its control filling "inner" (client coordinates), scrolled down by
  // "scrollY" pixels. Paint draws the part of it that meets "rcPaint", with "text" as the colour
  // of unformatted text; DocumentPoint maps client point "pt" to document coordinates.
  void Paint(QPainter& painter, const UIRect& inner, int scrollY, const UIRect& rcPaint,
             UIColor text) const;
  static QPointF DocumentPoint(UIPoint pt, const UIRect& inner, int scrollY);

  // Document position at "docPoint" (document coordinates).
  int HitTest(const QPointF& docPoint) const;
  void SetSelection(int anchor, int position);
  void SelectAll();
  void ClearSelection();
  bool HasSelection() const { return anchor_ != position_; }
  std::string SelectedText() const;
  // Puts the selected text on the clipboard; without a selection the clipboard keeps its text.
  void CopySelection() const;

  // Selecting with the mouse (document coordinates): a press starts an empty selection at
  // "docPoint"; a move extends it to "docPoint" and returns true, until the release ends the
  // drag (a move returns false then, and changes nothing).
  void PressAt(const QPointF& docPoint);
  bool DragTo(const QPointF& docPoint);
  void Release() { dragging_ = false; }

 private:
  std::unique_ptr<QTextDocument> doc_;
  int width_ = -1;
  int anchor_ = 0;
  int position_ = 0;
  bool dragging_ = false;
  int dragAnchor_ = 0;  // where the press was; a new document keeps it until the next press
};

}  // namespace zbe
