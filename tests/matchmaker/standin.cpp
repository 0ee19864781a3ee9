#include "standin.h"

#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>

namespace zz::test {

namespace {

bool openssl(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("openssl"), arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A key and a certificate signed by caName (self-signed when caName is empty).
bool makeCertificate(const QString &folder, const QString &name, const QString &caName, const QString &extension)
{
    const QStringList key = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                             QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                             QStringLiteral("-keyout"), name + QStringLiteral(".key")};
    const QString subject = QStringLiteral("/CN=") + name;
    if (caName.isEmpty()) {
        return openssl(folder, QStringList{QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-days"),
                                           QStringLiteral("2"), QStringLiteral("-subj"), subject,
                                           QStringLiteral("-out"), name + QStringLiteral(".crt")}
                                   + key);
    }
    QFile ext(folder + QLatin1Char('/') + name + QStringLiteral(".ext"));
    if (!ext.open(QIODevice::WriteOnly) || ext.write(extension.toLatin1()) < 0)
        return false;
    ext.close();
    return openssl(folder, QStringList{QStringLiteral("req"), QStringLiteral("-subj"), subject, QStringLiteral("-out"),
                                       name + QStringLiteral(".csr")}
                               + key)
           && openssl(folder, {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                               name + QStringLiteral(".csr"), QStringLiteral("-CA"), caName + QStringLiteral(".crt"),
                               QStringLiteral("-CAkey"), caName + QStringLiteral(".key"),
                               QStringLiteral("-CAcreateserial"), QStringLiteral("-days"), QStringLiteral("2"),
                               QStringLiteral("-extfile"), name + QStringLiteral(".ext"), QStringLiteral("-out"),
                               name + QStringLiteral(".crt")});
}

TestCertificates makeTestCertificates()
{
    static QTemporaryDir dir;
    const QString f = dir.path();
    TestCertificates c;
    const bool made =
        makeCertificate(f, QStringLiteral("ca"), {}, {})
        && makeCertificate(f, QStringLiteral("server"), QStringLiteral("ca"),
                           QStringLiteral("subjectAltName=IP:127.0.0.1\nextendedKeyUsage=serverAuth\n"))
        && makeCertificate(f, QStringLiteral("client"), QStringLiteral("ca"), QStringLiteral("extendedKeyUsage=clientAuth\n"))
        && makeCertificate(f, QStringLiteral("strangerca"), {}, {})
        && makeCertificate(f, QStringLiteral("stranger"), QStringLiteral("strangerca"),
                           QStringLiteral("extendedKeyUsage=clientAuth\n"));
    if (!made)
        return c;
    auto path = [&f](const char *name) { return f + QLatin1Char('/') + QString::fromLatin1(name); };
    c = {f,
         path("ca.crt"),
         path("server.crt"),
         path("server.key"),
         path("client.crt"),
         path("client.key"),
         path("strangerca.crt"),
         path("stranger.crt"),
         path("stranger.key")};
    return c;
}

} // namespace

const TestCertificates &testCertificates()
{
    static const TestCertificates certificates = makeTestCertificates();
    return certificates;
}

StandInAllocator::StandInAllocator(const TestCertificates &certificates)
{
    QFile keyFile(certificates.serverKey);
    keyFile.open(QIODevice::ReadOnly);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(QSslCertificate::fromPath(certificates.serverCert));
    tls.setPrivateKey(QSslKey(&keyFile, QSsl::Ec));
    tls.setCaCertificates(QSslCertificate::fromPath(certificates.caCert));
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);   // mutual TLS: a client certificate from our CA
    sslSetup(tls);
    m_port = listen(QHostAddress::LocalHost, 0);
}

bool StandInAllocator::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    received.push_back(request.body());
    QHttpServerResponder responder = makeResponder(request, socket);
    if (next.stall) {
        m_stalled.push_back(std::move(responder));
        return true;
    }
    responder.write(next.body, "application/json", static_cast<QHttpServerResponder::StatusCode>(next.status));
    return true;
}

QByteArray allocationAnswer(const QString &address, int port, const QString &name)
{
    return QStringLiteral(R"({"gameServerName":"%1","ports":[{"name":"default","port":%2}],"address":"%3",)"
                          R"("addresses":[],"nodeName":"node-1","source":"local"})")
        .arg(name)
        .arg(port)
        .arg(address)
        .toUtf8();
}

RawCall::RawCall(quint16 port, const QByteArray &request, const QHostAddress &from, const QString &tlsCa)
{
    QObject::connect(&m_socket, &QIODevice::readyRead, &m_socket, [this] { m_received += m_socket.readAll(); });
    m_socket.bind(from);
    if (tlsCa.isEmpty()) {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    } else {
        QSslConfiguration tls = m_socket.sslConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(tlsCa));
        m_socket.setSslConfiguration(tls);
        m_socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), port);
    }
    if (!request.isEmpty())
        m_socket.write(request);
}

int RawCall::status() const
{
    const auto headEnd = m_received.indexOf("\r\n\r\n");
    if (headEnd < 0 || body().size() < header("Content-Length").toInt())
        return 0;
    return m_received.mid(9, 3).toInt();   // "HTTP/1.1 200 OK"
}

QByteArray RawCall::header(const QByteArray &name) const
{
    const auto headEnd = m_received.indexOf("\r\n\r\n");
    for (const QByteArray &line : m_received.left(headEnd).split('\n')) {
        const auto colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

QByteArray RawCall::body() const
{
    const auto headEnd = m_received.indexOf("\r\n\r\n");
    return headEnd < 0 ? QByteArray() : m_received.mid(headEnd + 4);
}

QByteArray requestText(const QByteArray &method, const QByteArray &path, const QByteArray &body)
{
    return method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " + QByteArray::number(body.size())
           + "\r\n\r\n" + body;
}

} // namespace zz::test
