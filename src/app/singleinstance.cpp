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

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent)
    , m_name(safeName(name))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (m_server != nullptr)
        return true;
    auto lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    // Only a lock of a process that is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        askRunningInstance();
        return false;
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

void SingleInstance::askRunningInstance()
{
    // Runs before any event loop exists, on a local socket: a short bounded
    // wait is all it costs.
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(RequestTimeoutMs))
        return;
    socket.write(ActivationRequest);
    socket.waitForBytesWritten(RequestTimeoutMs);
    socket.disconnectFromServer();
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
