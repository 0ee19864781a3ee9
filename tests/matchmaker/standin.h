#pragma once
// What the matchmaker tests stand on: certificates made at run time, a
// stand-in allocator speaking HTTPS with mutual TLS on 127.0.0.1, and a
// caller that writes raw requests (so it can dribble, flood and pick its
// source address).
#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHostAddress>
#include <QHttpServerResponder>
#include <QString>
#include <QSslSocket>

#include <memory>
#include <optional>
#include <vector>

namespace zz::test {

struct TestCertificates
{
    QString folder;
    QString caCert, serverCert, serverKey, clientCert, clientKey;
    QString strangerCa, strangerCert, strangerKey;   // a client the allocator does not know
};

// Made once per run with the openssl program; empty folder when that failed.
const TestCertificates &testCertificates();

class StandInAllocator : public QAbstractHttpServer
{
public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        bool stall = false;   // never answer
    };

    explicit StandInAllocator(const TestCertificates &certificates);
    quint16 port() const { return m_port; }
    QString url() const { return QStringLiteral("https://127.0.0.1:%1").arg(m_port); }

    Reply next;
    std::vector<QByteArray> received;   // request bodies, in order

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    quint16 m_port = 0;
    std::vector<QHttpServerResponder> m_stalled;
};

// An allocator's 200 answer naming a table.
QByteArray allocationAnswer(const QString &address, int port, const QString &name = QStringLiteral("zigzop-x7"));

class RawCall
{
public:
    // Connects from `from` (any 127.x address) to 127.0.0.1:port and writes
    // request; over TLS when given the CA to check the server with.
    RawCall(quint16 port, const QByteArray &request, const QHostAddress &from = QHostAddress::LocalHost,
            const QString &tlsCa = {});

    bool finished() const { return status() != 0 || closed(); }
    bool closed() const { return m_socket.state() == QAbstractSocket::UnconnectedState; }
    int status() const;   // 0 until a whole answer is in
    QByteArray header(const QByteArray &name) const;
    QByteArray body() const;
    QTcpSocket &socket() { return m_socket; }

private:
    QSslSocket m_socket;   // plain unless asked for TLS
    QByteArray m_received;
};

QByteArray requestText(const QByteArray &method, const QByteArray &path, const QByteArray &body = {});

} // namespace zz::test
