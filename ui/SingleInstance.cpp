#include "ui/SingleInstance.h"

#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include "ui/qt/QtBridge.h"

namespace zbe {
namespace {

constexpr char kAsk[] = "show\n";
constexpr char kShown[] = "shown\n";
constexpr char kNoWindow[] = "nowindow\n";

// Socket paths longer than this do not fit the platform's address (108 bytes with the end).
constexpr qsizetype kMaxSocketPath = 100;

// The folder and the base name (without extension) of the lock and the socket.
QString BasePath(const std::string& name) {
  const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
  if (runtime.startsWith(QLatin1Char('/')) && QFileInfo(runtime).isDir()) {
    const QString base = runtime + QLatin1Char('/') + ToQ(name);
    if ((base + QStringLiteral(".sock")).toLocal8Bit().size() <= kMaxSocketPath)
      return base;
  }
  // The temporary folder is shared by every user: the user id keeps the names apart.
  return QDir::tempPath() + QLatin1Char('/') + ToQ(name) + QLatin1Char('-') +
         QString::number(::getuid());
}

}  // namespace

struct UISingleInstance::Impl {
  QString base;
  std::unique_ptr<QLockFile> lock;
  std::unique_ptr<QLocalServer> server;
  std::function<bool()> onShow;

  void Answer(QLocalSocket* socket) {
    if (!socket->canReadLine())
      return;
    const QByteArray line = socket->readLine();
    if (line == kAsk) {
      const bool shown = onShow ? onShow() : false;
      socket->write(shown ? kShown : kNoWindow);
      socket->flush();
    }
    socket->disconnectFromServer();
  }

  void Listen() {
    const QString path = base + QStringLiteral(".sock");
    // We hold the lock, so a socket file left behind belongs to an instance that is gone.
    QLocalServer::removeServer(path);
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
      server.reset();
      return;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
      while (QLocalSocket* socket = server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { Answer(socket); });
        Answer(socket);
      }
    });
  }
};

UISingleInstance::UISingleInstance(std::string name) : impl_(std::make_unique<Impl>()) {
  impl_->base = BasePath(name);
}

UISingleInstance::~UISingleInstance() {
  if (impl_->server) {
    impl_->server->close();
    impl_->server.reset();
  }
  if (impl_->lock)
    impl_->lock->unlock();
}

bool UISingleInstance::Acquire() {
  impl_->lock = std::make_unique<QLockFile>(impl_->base + QStringLiteral(".lock"));
  // Never stale by age: only a lock whose process is gone is taken over.
  impl_->lock->setStaleLockTime(0);
  if (!impl_->lock->tryLock(0)) {
    if (impl_->lock->error() == QLockFile::LockFailedError)
      return false;
    impl_->lock.reset();
    return true;
  }
  impl_->Listen();
  return true;
}

void UISingleInstance::SetShowHandler(std::function<bool()> onShow) {
  impl_->onShow = std::move(onShow);
}

UISingleInstance::Answer UISingleInstance::AskFirstToShow(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(impl_->base + QStringLiteral(".sock"));
  if (!socket.waitForConnected(timeoutMs))
    return Answer::kNoAnswer;
  socket.write(kAsk);
  if (!socket.waitForBytesWritten(timeoutMs))
    return Answer::kNoAnswer;
  QByteArray reply;
  while (!reply.endsWith('\n')) {
    if (!socket.waitForReadyRead(timeoutMs))
      break;
    reply += socket.readAll();
  }
  if (reply == kShown)
    return Answer::kShown;
  if (reply == kNoWindow)
    return Answer::kNoWindow;
  return Answer::kNoAnswer;
}

std::string UISingleInstance::SocketPath() const {
  return FromQ(impl_->base + QStringLiteral(".sock"));
}

}  // namespace zbe
