// The native widget behind a CWindowWnd: turns the platform's paint, mouse, keyboard, focus and
// resize events into the paint manager's, and delivers posted window messages.
#pragma once

#include <QEvent>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "ui/WindowWnd.h"

namespace zbe {

// A posted window message or task.
class UIMessageEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  UIMessageEvent(uint32_t msg, uintptr_t wParam, intptr_t lParam)
      : QEvent(EventType()), msg_(msg), wParam_(wParam), lParam_(lParam) {}
  explicit UIMessageEvent(std::function<void()> task)
      : QEvent(EventType()), task_(std::move(task)) {}

  uint32_t msg_ = 0;
  uintptr_t wParam_ = 0;
  intptr_t lParam_ = 0;
  std::function<void()> task_;
};

class QtHostWidget : public QWidget {
 public:
  QtHostWidget(CWindowWnd* window, Qt::WindowFlags flags);

  // The window object is going away; events from now on are dropped.
  void Detach() { window_ = nullptr; }
  // Deletes the widget now, or after the event it is handling.
  void Dispose();
  // Applies the rounded-corner mask of the layout (none while maximised).
  void UpdateMask();

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  CPaintManagerUI* Manager() const { return window_ ? &window_->GetManager() : nullptr; }

  CWindowWnd* window_;
  int eventDepth_ = 0;
  bool disposeRequested_ = false;
  // Moving by hand where the platform cannot move windows itself.
  bool dragging_ = false;
  QPoint dragStartGlobal_;
  QPoint dragStartPos_;
};

}  // namespace zbe
