#include "matchmaker/guardedserver.h"

#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <memory>

namespace zz {

namespace {

const QString GuardName = QStringLiteral("zz-connection-guard");

// Lives as a child of its socket, found by its name (it has no meta-object of
// its own): the request's deadline and byte count.
class ConnectionGuard : public QObject
{
public:
    ConnectionGuard(QTcpSocket &socket, int deadlineMs) : QObject(&socket)
    {
        setObjectName(GuardName);
        m_deadline.setSingleShot(true);
        m_deadline.setInterval(deadlineMs);
        m_deadline.start();
    }

    QTimer m_deadline;
    qint64 m_received = 0;
};

ConnectionGuard *guardOf(QTcpSocket &socket)
{
    return static_cast<ConnectionGuard *>(socket.findChild<QObject *>(GuardName, Qt::FindDirectChildrenOnly));
}

} // namespace

GuardedServer::GuardedServer(Limits limits, QObject *parent) : QTcpServer(parent), m_limits(limits) {}

void GuardedServer::incomingConnection(qintptr handle)
{
    auto socket = m_tls ? std::unique_ptr<QTcpSocket>(new QSslSocket) : std::make_unique<QTcpSocket>();
    if (!socket->setSocketDescriptor(handle))
        return;
    const QString peer = callerOf(socket->peerAddress());
    const char *refusal = m_connections >= m_limits.maxConnections ? "connection limit"
                          : m_perAddress[peer] >= m_limits.maxConnectionsPerAddress ? "address's connection limit"
                                                                                     : nullptr;
    if (refusal) {
        socket->abort();
        if (m_perAddress[peer] == 0)
            m_perAddress.erase(peer);
        Q_EMIT connectionRefused(QString::fromLatin1(refusal));
        return;
    }
    socket->setParent(this);
    QTcpSocket *accepted = socket.release();   // owned by this server from here
    guard(*accepted, peer);
    if (auto *tls = qobject_cast<QSslSocket *>(accepted)) {
        tls->setSslConfiguration(*m_tls);
        connect(tls, &QSslSocket::encrypted, this, [this, tls] {
            addPendingConnection(tls);
            Q_EMIT newConnection();
        });
        // A failed handshake closes the socket; the guard's destroyed() settles the count.
        connect(tls, &QSslSocket::errorOccurred, tls, [tls] {
            if (!tls->isEncrypted())
                tls->abort();
        });
        connect(tls, &QAbstractSocket::disconnected, tls, [tls] {
            if (!tls->isEncrypted())
                tls->deleteLater();
        });
        tls->startServerEncryption();
        return;
    }
    addPendingConnection(accepted);
}

void GuardedServer::guard(QTcpSocket &socket, const QString &peer)
{
    ++m_connections;
    ++m_perAddress[peer];
    connect(&socket, &QObject::destroyed, this, [this, peer] {
        --m_connections;
        if (--m_perAddress[peer] <= 0)
            m_perAddress.erase(peer);
    });
    // Bounded per read, so a sender that floods is cut before we hold more than the bound.
    socket.setReadBufferSize(m_limits.maxRequestBytes + 1);
    auto *guard = new ConnectionGuard(socket, m_limits.requestDeadlineMs);
    QPointer<QTcpSocket> watched(&socket);
    connect(&guard->m_deadline, &QTimer::timeout, this, [this, watched] {
        if (!watched)
            return;
        Q_EMIT connectionRefused(QStringLiteral("request too slow"));
        watched->abort();
    });
    // Connected before the HTTP server's own handler, so it sees every byte first.
    connect(&socket, &QIODevice::readyRead, this, [this, watched, guard] {
        if (!watched)
            return;
        guard->m_received += watched->bytesAvailable();
        if (guard->m_received > m_limits.maxRequestBytes) {
            Q_EMIT connectionRefused(QStringLiteral("request too large"));
            // The HTTP server's own handler is next in line: it must not read a closed socket.
            disconnect(watched, &QIODevice::readyRead, nullptr, nullptr);
            watched->abort();
        }
    });
}

std::optional<QSslConfiguration> GuardedServer::tlsConfiguration(const QString &certFile, const QString &keyFile,
                                                                 QString *error)
{
    const auto certificates = QSslCertificate::fromPath(certFile);
    QFile file(keyFile);
    QSslKey key;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray pem = file.readAll();
        key = QSslKey(pem, QSsl::Rsa);
        if (key.isNull())
            key = QSslKey(pem, QSsl::Ec);
    }
    if (certificates.isEmpty() || key.isNull()) {
        *error = QStringLiteral("the TLS certificate or key cannot be read");
        return std::nullopt;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(certificates);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);   // games present no certificate
    return configuration;
}

QString GuardedServer::callerOf(const QHostAddress &address)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);   // IPv4-mapped IPv6 too
    if (isIpv4)
        return QHostAddress(ipv4).toString();
    Q_IPV6ADDR network = address.toIPv6Address();
    std::fill(std::begin(network.c) + 8, std::end(network.c), quint8(0));
    return QHostAddress(network).toString() + QStringLiteral("/64");
}

void GuardedServer::requestArrived(QTcpSocket &socket)
{
    if (auto *guard = guardOf(socket))
        guard->m_deadline.stop();
}

void GuardedServer::requestAnswered(QTcpSocket &socket)
{
    if (auto *guard = guardOf(socket)) {
        guard->m_received = 0;
        guard->m_deadline.start();
    }
}

} // namespace zz
