#include "app/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QUrl>

#include <utility>

namespace zz {

namespace {

constexpr int RequestTimeoutMs = 1000;
const QByteArray ActivationRequest = QByteArrayLiteral("activate\n");

// A user name may hold characters a file or socket name cannot.
QString safeName(const QString &name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

const char *lockErrorText(QLockFile::LockError error)
{
    switch (error) {
    case QLockFile::LockFailedError:
        return "held by no running game";
    case QLockFile::PermissionError:
        return "the folder cannot be written";
    default:
        return "the lock file cannot be made";
    }
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent, QString lockFolder)
    : QObject(parent)
    , m_name(safeName(name))
    , m_lockFolder(lockFolder.isEmpty() ? QDir::tempPath() : std::move(lockFolder))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (m_server != nullptr)
        return true;
    const QString lockPath = QDir(m_lockFolder).filePath(m_name + QStringLiteral(".lock"));
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only a lock of a process that is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // A held lock means a running game only when that game answers; a lock
        // that cannot be made or taken over must not keep the player out.
        if (lock->error() == QLockFile::LockFailedError && askRunningInstance())
            return false;
        qWarning("zigzop: cannot take the lock %s (%s); starting without the one-game check",
                 qPrintable(QDir::toNativeSeparators(lockPath)),
                 lockErrorText(lock->error()));
        return true;
    }
    m_lock = std::move(lock);
    // The lock is ours, so a socket file left here belongs to a dead instance.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::connectionArrived);
    if (!m_server->listen(m_name))
        qWarning("Single instance: cannot listen on %s", qPrintable(m_server->errorString()));
    return true;
}

bool SingleInstance::askRunningInstance()
{
    // Runs before any event loop exists, on a local socket: a short bounded
    // wait is all it costs.
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(RequestTimeoutMs))
        return false;
    socket.write(ActivationRequest);
    socket.waitForBytesWritten(RequestTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::connectionArrived()
{
    while (QLocalSocket *connection = m_server->nextPendingConnection()) {
        connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        connect(connection, &QLocalSocket::readyRead, connection, [this, connection] {
            if (!connection->readAll().isEmpty())
                Q_EMIT activationRequested();
            connection->disconnectFromServer();
        });
    }
}

} // namespace zz
