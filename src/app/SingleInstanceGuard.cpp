#include "app/SingleInstanceGuard.h"

#include "support/Log.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace bindwell {

namespace {

constexpr int answerTimeoutMs = 2000;
constexpr char openRequest[] = "open-setup\n";
constexpr char openedReply[] = "opened\n";
// Anything longer without a newline is not one of our requests.
constexpr qint64 longestRequest = 64;

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& folder, QObject* parent)
    : QObject(parent), socketPath_(QDir(folder).filePath(QStringLiteral("bindwell.socket"))),
      lock_(QDir(folder).filePath(QStringLiteral("bindwell.lock"))) {
    // A running instance holds its lock for days; only a dead owner makes it stale.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this,
            &SingleInstanceGuard::answerNextConnection);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

SingleInstanceGuard::Claim SingleInstanceGuard::claim() {
    QDir().mkpath(QFileInfo(socketPath_).absolutePath());
    if (lock_.tryLock(0)) {
        listenOrWarn();
        return Claim::primary;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        // Without a usable lock we cannot tell whether another instance runs;
        // running twice is better than not running at all.
        log("⚠️ Could not create the instance lock in " +
            QFileInfo(socketPath_).absolutePath().toStdString());
        listenOrWarn();
        return Claim::primary;
    }
    if (askRunningInstance()) {
        log("Already running; opened the running instance's window");
        return Claim::handedOff;
    }
    log("⚠️ Bindwell is already running but did not answer");
    return Claim::noAnswer;
}

// Holding the lock proves that any socket file left behind belongs to a dead
// instance, so removing it cannot cut off a live one.
void SingleInstanceGuard::listenOrWarn() {
    QLocalServer::removeServer(socketPath_);
    if (!server_.listen(socketPath_)) {
        log("⚠️ Could not listen for other launches: " + server_.errorString().toStdString());
    }
}

bool SingleInstanceGuard::askRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(answerTimeoutMs)) {
        return false;
    }
    const QByteArray reply(openedReply);
    socket.write(openRequest);
    if (!socket.waitForBytesWritten(answerTimeoutMs)) {
        return false;
    }
    while (socket.bytesAvailable() < reply.size() && socket.waitForReadyRead(answerTimeoutMs)) {
    }
    return socket.readAll() == reply;
}

void SingleInstanceGuard::answerNextConnection() {
    QLocalSocket* socket = server_.nextPendingConnection();
    if (socket == nullptr) {
        return;
    }
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > longestRequest) {
                socket->abort();
            }
            return;
        }
        if (socket->readLine() == QByteArray(openRequest)) {
            emit activationRequested();
            socket->write(openedReply);
        }
        socket->disconnectFromServer();
    });
}

} // namespace bindwell
