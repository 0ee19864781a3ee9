#pragma once
// The matchmaker's listening socket, made to face the internet: at most so
// many connections at once, a whole request within a deadline, and no more
// bytes per request than a bound, so one caller's flood, dribble or idle
// connections cost others nothing. Speaks TLS when given a configuration.
#include <QSslConfiguration>
#include <QTcpServer>

#include <map>
#include <optional>

class QHostAddress;
class QTcpSocket;

namespace zz {

class GuardedServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Limits
    {
        int maxConnections = 200;
        int maxConnectionsPerAddress = 20;   // so one caller cannot fill the bound for all
        int requestDeadlineMs = 10000;   // from the connection, or the last answer, to a whole request
        qint64 maxRequestBytes = 8192;   // head and body of one request
    };

    explicit GuardedServer(Limits limits, QObject *parent = nullptr);

    // The server side of TLS from PEM files (an RSA or EC key); nullopt with
    // the reason in error when they cannot be read.
    static std::optional<QSslConfiguration> tlsConfiguration(const QString &certFile, const QString &keyFile,
                                                             QString *error);
    void setTls(const QSslConfiguration &configuration) { m_tls = configuration; }
    int connectionCount() const { return m_connections; }

    // Whom the per-caller bounds count: the IPv4 address, or an IPv6 address's
    // /64 network (one home or host has a whole /64 to pick addresses from).
    static QString callerOf(const QHostAddress &address);

    // A whole request arrived: its deadline stops until it is answered.
    static void requestArrived(QTcpSocket &socket);
    // The answer is written: the next request has a fresh deadline and bound.
    static void requestAnswered(QTcpSocket &socket);

Q_SIGNALS:
    // A connection was cut: "connection limit", "address's connection limit",
    // "request too large", "request too slow".
    void connectionRefused(const QString &reason);

protected:
    void incomingConnection(qintptr handle) override;

private:
    void guard(QTcpSocket &socket, const QString &peer);

    Limits m_limits;
    std::optional<QSslConfiguration> m_tls;
    int m_connections = 0;
    std::map<QString, int> m_perAddress;
};

} // namespace zz
