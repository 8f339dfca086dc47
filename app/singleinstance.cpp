#include "singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {
const QByteArray kRaise = "raise\n";
constexpr int kConnectTimeoutMs = 500;
constexpr int kFirstCopyStartingMs = 3000; // the first copy may be between lock and listen
} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
    , serverName(name)
    , lock(QDir::temp().filePath(name + QStringLiteral(".lock")))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    // Never stale by age: only a lock whose process has died is taken over.
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        askFirstToRaise();
        return false;
    }
    QLocalServer::removeServer(serverName); // a socket left by a copy that died
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::serve);
    server->listen(serverName);
    return true;
}

void SingleInstance::serve()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().startsWith(kRaise.trimmed()))
                emit raiseRequested();
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::askFirstToRaise() const
{
    QElapsedTimer waited;
    waited.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kRaise);
            return socket.waitForBytesWritten(kConnectTimeoutMs);
        }
        QThread::msleep(50);
    } while (waited.elapsed() < kFirstCopyStartingMs);
    return false;
}
