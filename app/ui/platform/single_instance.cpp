#include "app/ui/platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace lumora::ui {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr char kActivateRequest[] = "activate\n";

}  // namespace

QString DefaultInstanceKey() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  // Socket names are file names on some systems: a hash keeps any user name
  // usable and the name short.
  const QByteArray hash =
      QCryptographicHash::hash(("Lumora 4.4|" + user).toUtf8(), QCryptographicHash::Sha1).toHex();
  return QStringLiteral("lumora-4.4-") + QString::fromLatin1(hash.left(16));
}

TLocalSocketInstanceLock::TLocalSocketInstanceLock(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

TLocalSocketInstanceLock::~TLocalSocketInstanceLock() {
  if (server_) server_->close();
}

bool TLocalSocketInstanceLock::IsListening() const { return server_ && server_->isListening(); }

TInstanceRole TLocalSocketInstanceLock::Acquire() {
  if (decided_) return role_;
  decided_ = true;

  // Two starts at once take turns here: removing a server name after a
  // failed listen must never delete the socket of an instance that has
  // just started listening. A lock left by a crashed start goes stale.
  QLockFile turn(QDir::temp().filePath(key_ + QStringLiteral(".lock")));
  turn.setStaleLockTime(10000);
  (void)turn.tryLock(5000);  // without the lock the start still goes on

  // A live instance answers; a socket left behind by a crash does not.
  QLocalSocket probe;
  probe.connectToServer(key_);
  if (probe.waitForConnected(kConnectTimeoutMs)) {
    probe.write(kActivateRequest);
    probe.waitForBytesWritten(kConnectTimeoutMs);
    probe.disconnectFromServer();
    role_ = TInstanceRole::kSecondary;
    return role_;
  }

  role_ = TInstanceRole::kPrimary;
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(key_)) {
    // The stale socket of a crashed instance: remove it and listen again.
    QLocalServer::removeServer(key_);
    if (!server_->listen(key_)) {
      // No lock: the program runs anyway, only unguarded.
      qWarning("Lumora: single-instance lock unavailable: %s",
               qPrintable(server_->errorString()));
      server_.reset();
      return role_;
    }
  }
  connect(server_.get(), &QLocalServer::newConnection, this,
          &TLocalSocketInstanceLock::OnNewConnection);
  return role_;
}

void TLocalSocketInstanceLock::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // Requests are short lines; anything else is read and ignored.
      while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(64);
        if (line != kActivateRequest) continue;
        // A request during start-up waits for the window.
        if (on_activate_)
          on_activate_();
        else
          pending_activation_ = true;
      }
      if (socket->bytesAvailable() > 256) socket->readAll();
    });
  }
}

}  // namespace lumora::ui
