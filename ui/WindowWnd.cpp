#include "ui/WindowWnd.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <mutex>

#include "ui/UIApplication.h"
#include "ui/qt/HostWidget.h"
#include "ui/qt/QtBridge.h"

namespace zbe {

struct UIPostTarget::Mailbox {
  std::mutex mutex;
  QtHostWidget* receiver = nullptr;  // null once the window has closed

  bool Post(std::unique_ptr<UIMessageEvent> event) {
    std::lock_guard<std::mutex> lock(mutex);
    if (receiver == nullptr)
      return false;
    // The receiver cannot go away while the lock is held; Qt owns the event from here on.
    QCoreApplication::postEvent(receiver, event.release());
    return true;
  }
  void Close() {
    std::lock_guard<std::mutex> lock(mutex);
    receiver = nullptr;
  }
};

bool UIPostTarget::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) const {
  return box_ && box_->Post(std::make_unique<UIMessageEvent>(msg, wParam, lParam));
}

bool UIPostTarget::PostTask(std::function<void()> task) const {
  return box_ && task && box_->Post(std::make_unique<UIMessageEvent>(std::move(task)));
}

bool UIPostTarget::IsAlive() const {
  if (!box_)
    return false;
  std::lock_guard<std::mutex> lock(box_->mutex);
  return box_->receiver != nullptr;
}

struct WidgetDisposer {
  void operator()(QtHostWidget* w) const { w->Dispose(); }
};

struct CWindowWnd::Impl : public IUIHost {
  CWindowWnd* self = nullptr;
  std::unique_ptr<QtHostWidget, WidgetDisposer> widget;
  std::shared_ptr<UIPostTarget::Mailbox> mailbox = std::make_shared<UIPostTarget::Mailbox>();
  QEventLoop* modalLoop = nullptr;
  int result = 0;
  bool closed = false;
  bool shownOnce = false;
  UIWindowKind kind = UIWindowKind::kMain;

  void HostInvalidate(const UIRect& rc) override {
    if (widget)
      widget->update(ToQRect(rc));
  }
  void HostSetCursor(UICursor cursor) override {
    if (!widget)
      return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor) {
      case UICursor::kIBeam:
        shape = Qt::IBeamCursor;
        break;
      case UICursor::kHand:
        shape = Qt::PointingHandCursor;
        break;
      case UICursor::kSizeWE:
        shape = Qt::SizeHorCursor;
        break;
      case UICursor::kSizeNS:
        shape = Qt::SizeVerCursor;
        break;
      default:
        break;
    }
    if (widget->cursor().shape() != shape)
      widget->setCursor(shape);
  }
  bool HostPostTask(std::function<void()> task) override {
    return UIPostTarget(mailbox).PostTask(std::move(task));
  }
  UIPoint HostClientToScreen(UIPoint pt) override {
    if (!widget)
      return pt;
    QPoint g = widget->mapToGlobal(QPoint(pt.x, pt.y));
    return UIPoint{g.x(), g.y()};
  }
  void HostSetTextInput(bool on) override {
    if (!widget)
      return;
    widget->setAttribute(Qt::WA_InputMethodEnabled, on);
    if (widget->hasFocus())
      QGuiApplication::inputMethod()->update(Qt::ImEnabled);
  }
};

QtHostWidget* NativeWidget(const CWindowWnd* window) {
  return window ? window->GetImpl().widget.get() : nullptr;
}

CWindowWnd::CWindowWnd() : impl_(std::make_unique<Impl>()) {
  impl_->self = this;
}

CWindowWnd::~CWindowWnd() {
  impl_->mailbox->Close();
  if (impl_->modalLoop != nullptr)
    impl_->modalLoop->exit(-1);
  if (UIApplication* app = UIApplication::Instance())
    app->KillTimers(&manager_, nullptr);
  manager_.SetWindow(nullptr, nullptr);
  if (impl_->widget)
    impl_->widget->Detach();
  impl_->widget.reset();
}

bool CWindowWnd::Create(CWindowWnd* owner, const std::string& title, UIWindowKind kind,
                        const UIRect& rc) {
  if (impl_->widget || impl_->closed)
    return false;
  owner_ = owner;
  impl_->kind = kind;
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  switch (kind) {
    case UIWindowKind::kMain:
      flags |= Qt::Window;
      break;
    case UIWindowKind::kPopup:
      flags |= Qt::Dialog;
      break;
    case UIWindowKind::kMenu:
      flags |= Qt::Popup | Qt::NoDropShadowWindowHint;
      break;
  }
  impl_->widget = std::unique_ptr<QtHostWidget, WidgetDisposer>(
      std::make_unique<QtHostWidget>(this, flags).release());
  QtHostWidget* w = impl_->widget.get();
  w->setWindowTitle(ToQ(title));
  w->setObjectName(ToQ(GetWindowClassName()));
  if (owner != nullptr && NativeWidget(owner) != nullptr) {
    w->winId();
    NativeWidget(owner)->winId();
    if (w->windowHandle() && NativeWidget(owner)->windowHandle()) {
      w->windowHandle()->setTransientParent(NativeWidget(owner)->windowHandle());
    }
  }
  {
    std::lock_guard<std::mutex> lock(impl_->mailbox->mutex);
    impl_->mailbox->receiver = w;
  }
  manager_.SetWindow(this, impl_.get());
  if (!OnCreate()) {
    impl_->mailbox->Close();
    manager_.SetWindow(nullptr, nullptr);
    impl_->widget->Detach();
    impl_->widget.reset();
    return false;
  }
  UISize size{rc.Width(), rc.Height()};
  if (size.cx <= 0 || size.cy <= 0)
    size = manager_.GetInitSize();
  if (size.cx <= 0 || size.cy <= 0)
    size = UISize{400, 300};
  UISize minInfo = manager_.GetMinInfo();
  if (minInfo.cx > 0 || minInfo.cy > 0) {
    w->setMinimumSize(std::max(0, minInfo.cx), std::max(0, minInfo.cy));
    size.cx = std::max(size.cx, minInfo.cx);
    size.cy = std::max(size.cy, minInfo.cy);
  }
  UISize maxInfo = manager_.GetMaxInfo();
  if (maxInfo.cx > 0 && maxInfo.cy > 0)
    w->setMaximumSize(maxInfo.cx, maxInfo.cy);
  w->setGeometry(rc.left, rc.top, size.cx, size.cy);
  manager_.SetClientSize(size);
  w->UpdateMask();
  return true;
}

bool CWindowWnd::IsCreated() const {
  return impl_->widget != nullptr;
}

UIWindowKind CWindowWnd::GetKind() const {
  return impl_->kind;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  QtHostWidget* w = impl_->widget.get();
  if (w == nullptr || impl_->closed)
    return;
  if (!show) {
    w->hide();
    return;
  }
  if (!impl_->shownOnce) {
    impl_->shownOnce = true;
    manager_.SetClientSize(UISize{w->width(), w->height()});
    manager_.EnsureInitialized();
    if (impl_->closed)
      return;
  }
  w->show();
  if (takeFocus) {
    w->raise();
    w->activateWindow();
    w->setFocus(Qt::ActiveWindowFocusReason);
  }
}

int CWindowWnd::ShowModal() {
  QtHostWidget* w = impl_->widget.get();
  if (w == nullptr)
    return -1;
  if (impl_->closed)
    return impl_->result;
  w->setWindowModality(Qt::ApplicationModal);
  ShowWindow(true, true);
  if (impl_->closed)
    return impl_->result;
  if (UIApplication* app = UIApplication::Instance(); app != nullptr && app->GetModalObserver()) {
    std::function<void(CWindowWnd&)> observer = app->GetModalObserver();
    PostTask([this, observer] { observer(*this); });
  }
  QEventLoop loop;
  impl_->modalLoop = &loop;
  int result = loop.exec();
  impl_->modalLoop = nullptr;
  return result;
}

void CWindowWnd::Close(int code) {
  if (!impl_->widget || impl_->closed)
    return;
  PostMessage(UIMsg::kClose, static_cast<uintptr_t>(static_cast<intptr_t>(code)));
}

bool CWindowWnd::IsClosed() const {
  return impl_->closed;
}

void CWindowWnd::NativeCloseRequested() {
  if (impl_->closed)
    return;
  if (impl_->kind == UIWindowKind::kMenu)
    FinishClose(0);
  else
    Close(2);
}

void CWindowWnd::FinishClose(int code) {
  if (impl_->closed)
    return;
  impl_->closed = true;
  impl_->result = code;
  impl_->mailbox->Close();
  if (UIApplication* app = UIApplication::Instance())
    app->KillTimers(&manager_, nullptr);
  if (impl_->widget)
    impl_->widget->hide();
  if (impl_->modalLoop != nullptr)
    impl_->modalLoop->exit(code);
  // The object may be destroyed inside OnFinalMessage: nothing may follow it.
  OnFinalMessage();
}

void CWindowWnd::CenterWindow() {
  QtHostWidget* w = impl_->widget.get();
  if (w == nullptr)
    return;
  QRect area;
  QtHostWidget* ow = NativeWidget(owner_);
  if (ow != nullptr && !ow->isMinimized()) {
    area = ow->frameGeometry();
  } else if (QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isEmpty())
    return;
  QRect frame = w->frameGeometry();
  QPoint topLeft(area.center().x() - frame.width() / 2, area.center().y() - frame.height() / 2);
  if (QScreen* screen = QGuiApplication::screenAt(area.center())) {
    QRect avail = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), avail.left(),
                            std::max(avail.left(), avail.right() - frame.width())));
    topLeft.setY(std::clamp(topLeft.y(), avail.top(),
                            std::max(avail.top(), avail.bottom() - frame.height())));
  }
  w->move(topLeft);
}

void CWindowWnd::SetTitle(const std::string& title) {
  if (impl_->widget)
    impl_->widget->setWindowTitle(ToQ(title));
}

std::string CWindowWnd::GetTitle() const {
  return impl_->widget ? FromQ(impl_->widget->windowTitle()) : std::string();
}

bool CWindowWnd::SetIcon(const std::string& file) {
  const QImage* image = SkinImageFrame(file, 0, 0);
  if (image == nullptr || !impl_->widget)
    return false;
  impl_->widget->setWindowIcon(QIcon(QPixmap::fromImage(*image)));
  return true;
}

UIRect CWindowWnd::GetWindowRect() const {
  return impl_->widget ? FromQRect(impl_->widget->geometry()) : UIRect{};
}

void CWindowWnd::MoveWindow(const UIRect& rc) {
  if (impl_->widget)
    impl_->widget->setGeometry(ToQRect(rc));
}

void CWindowWnd::ResizeClient(int cx, int cy) {
  if (impl_->widget)
    impl_->widget->resize(std::max(1, cx), std::max(1, cy));
}

UIPoint CWindowWnd::ClientToScreen(UIPoint pt) const {
  return impl_->HostClientToScreen(pt);
}

void CWindowWnd::Minimize() {
  if (impl_->widget)
    impl_->widget->showMinimized();
}

void CWindowWnd::Maximize() {
  if (impl_->widget)
    impl_->widget->showMaximized();
}

void CWindowWnd::Restore() {
  if (impl_->widget)
    impl_->widget->showNormal();
}

bool CWindowWnd::IsMaximized() const {
  return impl_->widget && impl_->widget->isMaximized();
}

bool CWindowWnd::IsMinimized() const {
  return impl_->widget && impl_->widget->isMinimized();
}

bool CWindowWnd::IsWindowVisible() const {
  return impl_->widget && impl_->widget->isVisible();
}

void CWindowWnd::Activate() {
  if (!impl_->widget)
    return;
  impl_->widget->raise();
  impl_->widget->activateWindow();
}

bool CWindowWnd::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  return UIPostTarget(impl_->mailbox).PostMessage(msg, wParam, lParam);
}

bool CWindowWnd::PostTask(std::function<void()> task) {
  return UIPostTarget(impl_->mailbox).PostTask(std::move(task));
}

UIPostTarget CWindowWnd::GetPostTarget() const {
  return UIPostTarget(impl_->mailbox);
}

intptr_t CWindowWnd::SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  return DispatchMessage(msg, wParam, lParam);
}

intptr_t CWindowWnd::DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (impl_->closed)
    return 0;
  bool handled = false;
  intptr_t r = HandleMessage(msg, wParam, lParam, handled);
  if (!handled && msg == UIMsg::kClose) {
    const int code = static_cast<int>(static_cast<intptr_t>(wParam));
    if (OnClose(code))
      FinishClose(code);  // may destroy this object
    return 0;
  }
  return r;
}

intptr_t CWindowWnd::HandleMessage(uint32_t /*msg*/, uintptr_t /*wParam*/, intptr_t /*lParam*/,
                                   bool& handled) {
  handled = false;
  return 0;
}

bool CWindowWnd::OnClose(int /*code*/) {
  return true;
}

UIHitTest CWindowWnd::HitTest(UIPoint /*pt*/) {
  return UIHitTest::kClient;
}

bool CWindowWnd::PreTranslateKey(uint32_t /*key*/, uint32_t /*mods*/) {
  return false;
}

}  // namespace zbe
