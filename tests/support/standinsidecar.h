#pragma once
// A stand-in for the game-server sidecar's REST API on 127.0.0.1: records
// every request and answers as the real one does (64-bit numbers as strings,
// errors as {"code","message","details"}), with faults on demand.
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtHttpServer/QAbstractHttpServer>
#include <QtHttpServer/QHttpServerResponder>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QTcpSocket;

namespace zz::test {

class StandInSidecar : public QAbstractHttpServer
{
public:
    struct Request
    {
        QString method; // "POST"
        QString path;   // "/v1beta1/lists/players:addValue"
        QByteArray body;
        qint64 atMs = 0; // since the stand-in started
    };
    struct Fault
    {
        int status = 500; // 0: never answer
        QByteArray body;
    };

    StandInSidecar();
    ~StandInSidecar() override;

    // Listens on 127.0.0.1 (port 0: any free one); returns the port.
    quint16 start(quint16 port = 0);
    quint16 port() const { return m_port; }
    // Stops listening and drops every connection; comeBack() listens on the same port again.
    void goAway();
    bool comeBack();

    // Requests whose path starts with prefix get this answer instead ("" matches all).
    void fail(const QString &pathPrefix, Fault fault) { m_faults[pathPrefix] = std::move(fault); }
    void heal() { m_faults.clear(); }

    std::vector<Request> requests;
    std::function<void(const Request &)> onRequest; // called as each request arrives
    qint64 elapsedMs() const { return m_clock.elapsed(); }
    std::vector<Request> requestsTo(const QString &path) const;
    QStringList list(const QString &name) const;
    void setList(const QString &name, const QStringList &values) { m_lists[name].values = values; }
    QString label() const { return m_label; }
    bool ready() const { return m_ready; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct List
    {
        int capacity = 0;
        QStringList values;
    };
    struct Answer
    {
        int status = 200;
        QByteArray body = "{}";
    };
    Answer answer(const QString &method, const QString &path, const QByteArray &body);
    Answer listCall(const QString &method, const QString &rest, const QByteArray &body);
    static Answer error(int status, int code, const QString &message);
    QByteArray listJson(const QString &name) const;
    std::optional<Fault> faultFor(const QString &path) const;

    quint16 m_port = 0;
    QElapsedTimer m_clock;
    std::map<QString, Fault> m_faults;
    std::map<QString, List> m_lists;
    QString m_label;
    bool m_ready = false;
    std::vector<QHttpServerResponder> m_stalled;
    QList<QPointer<QTcpSocket>> m_sockets;
};

} // namespace zz::test
