#include "ui/qt/HostWidget.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QToolTip>
#include <QWindow>

#include "ui/ControlUI.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/RenderImpl.h"

namespace zbe {
namespace {

uint32_t MapMods(Qt::KeyboardModifiers m) {
  uint32_t r = 0;
  if (m & Qt::ShiftModifier)
    r |= UIMod::kShift;
  if (m & Qt::ControlModifier)
    r |= UIMod::kCtrl;
  if (m & Qt::AltModifier)
    r |= UIMod::kAlt;
  return r;
}

uint32_t MapKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<uint32_t>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<uint32_t>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    return UIKey::kF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return UIKey::kReturn;
    case Qt::Key_Escape:
      return UIKey::kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return UIKey::kTab;
    case Qt::Key_Backspace:
      return UIKey::kBack;
    case Qt::Key_Delete:
      return UIKey::kDelete;
    case Qt::Key_Insert:
      return UIKey::kInsert;
    case Qt::Key_Left:
      return UIKey::kLeft;
    case Qt::Key_Right:
      return UIKey::kRight;
    case Qt::Key_Up:
      return UIKey::kUp;
    case Qt::Key_Down:
      return UIKey::kDown;
    case Qt::Key_Home:
      return UIKey::kHome;
    case Qt::Key_End:
      return UIKey::kEnd;
    case Qt::Key_PageUp:
      return UIKey::kPrior;
    case Qt::Key_PageDown:
      return UIKey::kNext;
    case Qt::Key_Space:
      return UIKey::kSpace;
    default:
      return 0;
  }
}

UIPoint ToUI(const QPointF& p) {
  return UIPoint{static_cast<int>(p.x()), static_cast<int>(p.y())};
}

Qt::Edges EdgesOf(UIHitTest ht) {
  switch (ht) {
    case UIHitTest::kLeft:
      return Qt::LeftEdge;
    case UIHitTest::kRight:
      return Qt::RightEdge;
    case UIHitTest::kTop:
      return Qt::TopEdge;
    case UIHitTest::kBottom:
      return Qt::BottomEdge;
    case UIHitTest::kTopLeft:
      return Qt::TopEdge | Qt::LeftEdge;
    case UIHitTest::kTopRight:
      return Qt::TopEdge | Qt::RightEdge;
    case UIHitTest::kBottomLeft:
      return Qt::BottomEdge | Qt::LeftEdge;
    case UIHitTest::kBottomRight:
      return Qt::BottomEdge | Qt::RightEdge;
    default:
      return {};
  }
}

Qt::CursorShape CursorOf(UIHitTest ht) {
  switch (ht) {
    case UIHitTest::kLeft:
    case UIHitTest::kRight:
      return Qt::SizeHorCursor;
    case UIHitTest::kTop:
    case UIHitTest::kBottom:
      return Qt::SizeVerCursor;
    case UIHitTest::kTopLeft:
    case UIHitTest::kBottomRight:
      return Qt::SizeFDiagCursor;
    case UIHitTest::kTopRight:
    case UIHitTest::kBottomLeft:
      return Qt::SizeBDiagCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

QEvent::Type UIMessageEvent::EventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

QtHostWidget::QtHostWidget(CWindowWnd* window, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), window_(window) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setAutoFillBackground(false);
}

void QtHostWidget::Dispose() {
  window_ = nullptr;
  if (eventDepth_ > 0) {
    disposeRequested_ = true;
    hide();
    deleteLater();
  } else {
    delete this;
  }
}

void QtHostWidget::UpdateMask() {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  UISize round = m->GetRoundCorner();
  if (round.cx <= 0 || round.cy <= 0 || isMaximized() || isFullScreen()) {
    clearMask();
    return;
  }
  QPainterPath path;
  path.addRoundedRect(QRectF(rect()), round.cx / 2.0, round.cy / 2.0);
  setMask(QRegion(path.toFillPolygon().toPolygon()));
}

bool QtHostWidget::event(QEvent* e) {
  if (e->type() == UIMessageEvent::EventType()) {
    auto* m = static_cast<UIMessageEvent*>(e);
    if (window_ == nullptr || window_->IsClosed())
      return true;
    ++eventDepth_;
    if (m->task_)
      m->task_();
    else
      window_->DispatchMessage(m->msg_, m->wParam_, m->lParam_);
    --eventDepth_;
    return true;
  }
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    CPaintManagerUI* m = Manager();
    CControlUI* c = m ? m->FindControl(UIPoint{help->pos().x(), help->pos().y()}) : nullptr;
    if (c != nullptr && !c->GetToolTip().empty()) {
      QToolTip::showText(help->globalPos(), ToQ(c->GetToolTip()), this);
    } else {
      QToolTip::hideText();
      e->ignore();
    }
    return true;
  }
  ++eventDepth_;
  bool r = QWidget::event(e);
  --eventDepth_;
  return r;
}

void QtHostWidget::paintEvent(QPaintEvent* e) {
  CPaintManagerUI* m = Manager();
  QPainter p(this);
  if (m == nullptr)
    return;
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(e->rect(), QColor(255, 255, 255));
  CRenderUI render = MakeRender(p, *m);
  m->Paint(render, FromQRect(e->rect()));
}

void QtHostWidget::mousePressEvent(QMouseEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  const UIPoint pt = ToUI(e->position());
  const uint32_t mods = MapMods(e->modifiers());
  if (e->button() == Qt::LeftButton) {
    UIHitTest ht = window_->DoHitTest(pt);
    if (ht == UIHitTest::kCaption) {
      if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
        dragging_ = true;
        dragStartGlobal_ = e->globalPosition().toPoint();
        dragStartPos_ = pos();
      }
      return;
    }
    if (ht != UIHitTest::kClient) {
      if (windowHandle() != nullptr)
        windowHandle()->startSystemResize(EdgesOf(ht));
      return;
    }
    m->OnButtonDown(pt, mods);
  } else if (e->button() == Qt::RightButton) {
    m->OnRButtonDown(pt, mods);
  }
}

void QtHostWidget::mouseReleaseEvent(QMouseEvent* e) {
  dragging_ = false;
  CPaintManagerUI* m = Manager();
  if (m == nullptr || e->button() != Qt::LeftButton)
    return;
  m->OnButtonUp(ToUI(e->position()), MapMods(e->modifiers()));
}

void QtHostWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr || e->button() != Qt::LeftButton)
    return;
  const UIPoint pt = ToUI(e->position());
  if (window_->DoHitTest(pt) == UIHitTest::kCaption) {
    UIRect sb = m->GetSizeBox();
    if (sb.left > 0 || sb.top > 0 || sb.right > 0 || sb.bottom > 0) {
      if (window_->IsMaximized())
        window_->Restore();
      else
        window_->Maximize();
    }
    return;
  }
  m->OnDoubleClick(pt, MapMods(e->modifiers()));
}

void QtHostWidget::mouseMoveEvent(QMouseEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  if (dragging_) {
    move(dragStartPos_ + (e->globalPosition().toPoint() - dragStartGlobal_));
    return;
  }
  const UIPoint pt = ToUI(e->position());
  if (e->buttons() == Qt::NoButton) {
    UIHitTest ht = window_->DoHitTest(pt);
    if (ht != UIHitTest::kClient && ht != UIHitTest::kCaption) {
      setCursor(CursorOf(ht));
      m->OnMouseLeaveWindow();
      return;
    }
  }
  m->OnMouseMove(pt, MapMods(e->modifiers()));
}

void QtHostWidget::leaveEvent(QEvent* /*e*/) {
  if (CPaintManagerUI* m = Manager())
    m->OnMouseLeaveWindow();
}

void QtHostWidget::wheelEvent(QWheelEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  int delta = e->angleDelta().y();
  if (delta == 0)
    return;
  m->OnWheel(ToUI(e->position()), delta, MapMods(e->modifiers()));
}

void QtHostWidget::keyPressEvent(QKeyEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  uint32_t key = MapKey(e->key());
  uint32_t mods = MapMods(e->modifiers());
  if (e->key() == Qt::Key_Backtab)
    mods |= UIMod::kShift;
  if (key != 0) {
    if (window_->DoPreTranslateKey(key, mods))
      return;
    if (window_ == nullptr)
      return;
    m->OnKeyDown(key, mods);
    if (window_ == nullptr)
      return;
  }
  if ((mods & (UIMod::kCtrl | UIMod::kAlt)) != 0)
    return;
  for (char32_t cp : e->text().toUcs4()) {
    if (cp >= 0x20 && cp != 0x7F)
      m->OnChar(cp, mods);
  }
}

void QtHostWidget::inputMethodEvent(QInputMethodEvent* e) {
  CPaintManagerUI* m = Manager();
  if (m == nullptr)
    return;
  for (char32_t cp : e->commitString().toUcs4()) {
    if (cp >= 0x20 && cp != 0x7F)
      m->OnChar(cp, 0);
  }
  e->accept();
}

void QtHostWidget::focusInEvent(QFocusEvent* /*e*/) {
  if (CPaintManagerUI* m = Manager())
    m->OnWindowFocusGained();
}

void QtHostWidget::focusOutEvent(QFocusEvent* /*e*/) {
  if (CPaintManagerUI* m = Manager())
    m->OnWindowFocusLost();
}

void QtHostWidget::resizeEvent(QResizeEvent* /*e*/) {
  if (CPaintManagerUI* m = Manager())
    m->SetClientSize(UISize{width(), height()});
  UpdateMask();
}

void QtHostWidget::closeEvent(QCloseEvent* e) {
  if (window_ == nullptr || window_->IsClosed()) {
    e->accept();
    return;
  }
  e->ignore();
  window_->NativeCloseRequested();
}

void QtHostWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange && window_ != nullptr) {
    UpdateMask();
    window_->DoWindowStateChanged();
  }
}

}  // namespace zbe
