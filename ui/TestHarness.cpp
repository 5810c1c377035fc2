#include "ui/TestHarness.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>
#include <cstdlib>

#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/TreeViewUI.h"
#include "ui/UIApplication.h"
#include "ui/Utf.h"
#include "ui/WindowWnd.h"
#include "ui/qt/HostWidget.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/RenderImpl.h"

namespace zbe {
namespace {

QPointF ToQPoint(UIPoint p) {
  return QPointF(p.x + 0.5, p.y + 0.5);
}

Qt::KeyboardModifiers ToQMods(uint32_t mods) {
  Qt::KeyboardModifiers m;
  if (mods & UIMod::kShift)
    m |= Qt::ShiftModifier;
  if (mods & UIMod::kCtrl)
    m |= Qt::ControlModifier;
  if (mods & UIMod::kAlt)
    m |= Qt::AltModifier;
  return m;
}

int ToQKey(uint32_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    return static_cast<int>(key);
  if (key >= UIKey::kF1 && key < UIKey::kF1 + 12)
    return Qt::Key_F1 + static_cast<int>(key - UIKey::kF1);
  switch (key) {
    case UIKey::kReturn:
      return Qt::Key_Return;
    case UIKey::kEscape:
      return Qt::Key_Escape;
    case UIKey::kTab:
      return Qt::Key_Tab;
    case UIKey::kBack:
      return Qt::Key_Backspace;
    case UIKey::kDelete:
      return Qt::Key_Delete;
    case UIKey::kInsert:
      return Qt::Key_Insert;
    case UIKey::kLeft:
      return Qt::Key_Left;
    case UIKey::kRight:
      return Qt::Key_Right;
    case UIKey::kUp:
      return Qt::Key_Up;
    case UIKey::kDown:
      return Qt::Key_Down;
    case UIKey::kHome:
      return Qt::Key_Home;
    case UIKey::kEnd:
      return Qt::Key_End;
    case UIKey::kPrior:
      return Qt::Key_PageUp;
    case UIKey::kNext:
      return Qt::Key_PageDown;
    case UIKey::kSpace:
      return Qt::Key_Space;
    default:
      return Qt::Key_unknown;
  }
}

// Renders the window's controls into an image the size of the window; the corners outside a
// rounded window stay transparent.
QImage RenderWindow(CWindowWnd& window) {
  CPaintManagerUI& m = window.GetManager();
  QtHostWidget* w = NativeWidget(&window);
  UISize size = m.GetClientSize();
  if (w != nullptr) {
    size = UISize{w->width(), w->height()};
    m.SetClientSize(size);
  }
  QImage image(std::max(1, size.cx), std::max(1, size.cy), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const UISize round = m.GetRoundCorner();
  if (round.cx > 0 && round.cy > 0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, size.cx, size.cy), round.cx / 2.0, round.cy / 2.0);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipPath(path);
  }
  p.fillRect(QRect(0, 0, size.cx, size.cy), QColor(255, 255, 255));
  CRenderUI render = MakeRender(p, m);
  m.Paint(render, UIRect{0, 0, size.cx, size.cy});
  p.end();
  return image;
}

}  // namespace

bool UITestServices::PickFolder(CWindowWnd* /*owner*/, const std::string& title,
                                const std::string& /*startFolder*/, std::string* folder) {
  pickTitles.push_back(title);
  if (folderToPick.empty())
    return false;
  *folder = folderToPick;
  return true;
}

bool UITestServices::OpenExternal(const std::string& target) {
  opened.push_back(target);
  return true;
}

void UITestServices::ShowMessage(CWindowWnd* /*owner*/, const std::string& title,
                                 const std::string& text) {
  messages.emplace_back(title, text);
}

int32_t UITestServices::Print(CWindowWnd* /*owner*/, UIPrintJob& job) {
  printedTitles.push_back(job.GetTitle());
  if (!printToPdf.empty()) {
    int32_t rc = job.PrintToPdf(printToPdf);
    if (rc != 0)
      return rc;
  }
  return printResult;
}

UITestHarness::UITestHarness(CWindowWnd& window) : window_(window) {}

namespace {

// The offscreen platform says so whenever a window asks for a mask, a raise or a keyboard grab;
// those are expected without a screen and only clutter the test output.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support")))
    return;
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
    return;
  const QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit();
  std::fprintf(stderr, "%s\n", text.constData());
}

}  // namespace

std::unique_ptr<UIApplication> UITestHarness::StartApplication(UITestServices** services) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(QuietMessages);
  // The platform keeps references to these for the life of the application object.
  static int argc = 1;
  static char name[] = "zbe-ui-test";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<UIApplication>(argc, argv);
  auto fake = std::make_unique<UITestServices>();
  if (services != nullptr)
    *services = fake.get();
  app->SetServices(std::move(fake));
  app->SetManualClock(true);
  return app;
}

CPaintManagerUI& UITestHarness::Manager() {
  return window_.GetManager();
}

CControlUI* UITestHarness::Find(const std::string& name) {
  return Manager().FindControl(name);
}

void UITestHarness::Layout() {
  Manager().EnsureInitialized();
  Manager().UpdateLayout();
}

static void SendMouse(CWindowWnd& window, QEvent::Type type, UIPoint pt, Qt::MouseButton button,
                      Qt::MouseButtons buttons, uint32_t mods = 0) {
  QtHostWidget* w = NativeWidget(&window);
  if (w == nullptr)
    return;
  const QPointF local = ToQPoint(pt);
  QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, ToQMods(mods));
  QCoreApplication::sendEvent(w, &e);
}

void UITestHarness::MouseDown(UIPoint pt) {
  Layout();
  SendMouse(window_, QEvent::MouseButtonPress, pt, Qt::LeftButton, Qt::LeftButton);
}

void UITestHarness::MouseUp(UIPoint pt) {
  SendMouse(window_, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
  ProcessEvents();
}

void UITestHarness::MouseMove(UIPoint pt) {
  Layout();
  SendMouse(window_, QEvent::MouseMove, pt, Qt::NoButton, Qt::NoButton);
}

void UITestHarness::ClickAt(UIPoint pt) {
  MouseMove(pt);
  MouseDown(pt);
  MouseUp(pt);
}

bool UITestHarness::Click(CControlUI* control) {
  Layout();
  if (control == nullptr || !control->IsVisible() || control->GetPos().IsEmpty())
    return false;
  ClickAt(control->GetPos().Center());
  return true;
}

void UITestHarness::DoubleClickAt(UIPoint pt) {
  MouseMove(pt);
  MouseDown(pt);
  SendMouse(window_, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
  SendMouse(window_, QEvent::MouseButtonDblClick, pt, Qt::LeftButton, Qt::LeftButton);
  SendMouse(window_, QEvent::MouseButtonRelease, pt, Qt::LeftButton, Qt::NoButton);
  ProcessEvents();
}

bool UITestHarness::DoubleClick(CControlUI* control) {
  Layout();
  if (control == nullptr || !control->IsVisible() || control->GetPos().IsEmpty())
    return false;
  DoubleClickAt(control->GetPos().Center());
  return true;
}

bool UITestHarness::Hover(CControlUI* control) {
  Layout();
  if (control == nullptr || !control->IsVisible() || control->GetPos().IsEmpty())
    return false;
  MouseMove(control->GetPos().Center());
  return true;
}

void UITestHarness::LeaveWindow() {
  QtHostWidget* w = NativeWidget(&window_);
  if (w == nullptr)
    return;
  QEvent e(QEvent::Leave);
  QCoreApplication::sendEvent(w, &e);
}

bool UITestHarness::Wheel(CControlUI* control, int notches) {
  Layout();
  QtHostWidget* w = NativeWidget(&window_);
  if (w == nullptr || control == nullptr || control->GetPos().IsEmpty())
    return false;
  const QPointF local = ToQPoint(control->GetPos().Center());
  QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &e);
  ProcessEvents();
  return true;
}

void UITestHarness::Key(uint32_t key, uint32_t mods, const std::string& text) {
  QtHostWidget* w = NativeWidget(&window_);
  if (w == nullptr)
    return;
  Layout();
  QKeyEvent press(QEvent::KeyPress, ToQKey(key), ToQMods(mods), ToQ(text));
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, ToQKey(key), ToQMods(mods), ToQ(text));
  QCoreApplication::sendEvent(w, &release);
  ProcessEvents();
}

void UITestHarness::TypeText(const std::string& text) {
  for (char32_t cp : Utf8ToU32(text)) {
    std::string one;
    AppendUtf8(cp, &one);
    uint32_t key = 0;
    if (cp >= U'a' && cp <= U'z')
      key = static_cast<uint32_t>(cp - U'a' + U'A');
    else if ((cp >= U'A' && cp <= U'Z') || (cp >= U'0' && cp <= U'9'))
      key = static_cast<uint32_t>(cp);
    else if (cp == U' ')
      key = UIKey::kSpace;
    QtHostWidget* w = NativeWidget(&window_);
    if (w == nullptr)
      return;
    QKeyEvent press(QEvent::KeyPress, key ? ToQKey(key) : Qt::Key_unknown,
                    (cp >= U'A' && cp <= U'Z') ? Qt::ShiftModifier : Qt::NoModifier, ToQ(one));
    QCoreApplication::sendEvent(w, &press);
  }
  ProcessEvents();
}

bool UITestHarness::CheckListRow(CListUI* list, int row) {
  if (list == nullptr)
    return false;
  auto* element = dynamic_cast<CListImageTextElementUI*>(list->GetItemAt(row));
  if (element == nullptr)
    return false;
  list->EnsureVisible(row);
  Layout();
  const UIRect box = element->GetCheckBoxRect();
  if (box.IsEmpty())
    return false;
  ClickAt(box.Center());
  return true;
}

bool UITestHarness::CheckTreeNode(CTreeNodeUI* node) {
  if (node == nullptr || node->GetOwner() == nullptr)
    return false;
  node->GetOwner()->EnsureVisible(node->GetIndex());
  return Click(node->GetCheckBox());
}

bool UITestHarness::ToggleTreeNode(CTreeNodeUI* node) {
  if (node == nullptr || node->GetOwner() == nullptr)
    return false;
  node->GetOwner()->EnsureVisible(node->GetIndex());
  return Click(node->GetFolderButton());
}

void UITestHarness::AdvanceTimers(int ms) {
  if (UIApplication* app = UIApplication::Instance())
    app->AdvanceClock(ms);
  ProcessEvents();
}

void UITestHarness::ProcessEvents() {
  if (UIApplication* app = UIApplication::Instance())
    app->ProcessEvents();
}

bool UITestHarness::RenderToPng(const std::string& path) {
  Layout();
  return RenderWindow(window_).save(ToQ(path), "PNG");
}

bool UITestHarness::RenderRectToPng(const UIRect& rc, const std::string& path) {
  Layout();
  QImage full = RenderWindow(window_);
  return full.copy(ToQRect(rc)).save(ToQ(path), "PNG");
}

bool UITestHarness::RenderWindowsToPng(const std::vector<CWindowWnd*>& windows,
                                       const std::string& path) {
  if (windows.empty() || windows.front() == nullptr)
    return false;
  // The canvas covers every window (a menu may reach past its owner's edge).
  UIRect base = windows.front()->GetWindowRect();
  for (CWindowWnd* w : windows) {
    if (w == nullptr)
      continue;
    const UIRect rc = w->GetWindowRect();
    base = UIRect{std::min(base.left, rc.left), std::min(base.top, rc.top),
                  std::max(base.right, rc.right), std::max(base.bottom, rc.bottom)};
  }
  QImage canvas(std::max(1, base.Width()), std::max(1, base.Height()),
                QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter p(&canvas);
  p.setRenderHint(QPainter::Antialiasing, true);
  bool first = true;
  for (CWindowWnd* w : windows) {
    if (w == nullptr)
      continue;
    UITestHarness h(*w);
    h.Layout();
    const QImage image = RenderWindow(*w);
    const UIRect rc = w->GetWindowRect();
    const QPoint at(rc.left - base.left, rc.top - base.top);
    if (!first) {
      // A shadow of a few widening, fading rounded rectangles below and around the window.
      for (int i = 6; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(15, 23, 42, 10));
        p.drawRoundedRect(
            QRectF(at.x() - i, at.y() - i + 4, image.width() + 2 * i, image.height() + 2 * i),
            12 + i, 12 + i);
      }
    }
    p.drawImage(at, image);
    first = false;
  }
  p.end();
  return canvas.save(ToQ(path), "PNG");
}

void UITestHarness::PaintFrame() {
  Layout();
  RenderWindow(window_);
}

int UITestHarness::RunModal(CWindowWnd& window, std::function<void()> whileOpen, int timeoutMs) {
  if (whileOpen)
    window.PostTask(std::move(whileOpen));
  UIPostTarget target = window.GetPostTarget();
  QTimer guard;
  guard.setSingleShot(true);
  guard.callOnTimeout([target] { target.PostMessage(UIMsg::kClose, static_cast<uintptr_t>(-2)); });
  guard.start(timeoutMs);
  return window.ShowModal();
}

}  // namespace zbe
