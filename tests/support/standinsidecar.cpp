#include "support/standinsidecar.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtHttpServer/QHttpServerRequest>

namespace zz::test {

namespace {

QString methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return QStringLiteral("GET");
    case QHttpServerRequest::Method::Put: return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Post: return QStringLiteral("POST");
    case QHttpServerRequest::Method::Patch: return QStringLiteral("PATCH");
    case QHttpServerRequest::Method::Delete: return QStringLiteral("DELETE");
    default: return QStringLiteral("OTHER");
    }
}

} // namespace

StandInSidecar::StandInSidecar()
{
    m_lists[QStringLiteral("players")].capacity = 6;
    m_lists[QStringLiteral("watchers")].capacity = 3;
    m_clock.start();
}

StandInSidecar::~StandInSidecar()
{
    m_stalled.clear();
}

quint16 StandInSidecar::start(quint16 port)
{
    m_port = listen(QHostAddress::LocalHost, port);
    return m_port;
}

void StandInSidecar::goAway()
{
    m_stalled.clear();
    for (QTcpServer *server : servers())
        server->close();
    for (const QPointer<QTcpSocket> &socket : m_sockets)
        if (socket)
            socket->abort();
    m_sockets.clear();
}

bool StandInSidecar::comeBack()
{
    const QList<QTcpServer *> all = servers();
    return !all.isEmpty() && all.first()->listen(QHostAddress::LocalHost, m_port);
}

std::vector<StandInSidecar::Request> StandInSidecar::requestsTo(const QString &path) const
{
    std::vector<Request> found;
    for (const Request &r : requests)
        if (r.path == path)
            found.push_back(r);
    return found;
}

QStringList StandInSidecar::list(const QString &name) const
{
    const auto found = m_lists.find(name);
    return found == m_lists.end() ? QStringList() : found->second.values;
}

bool StandInSidecar::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    if (!m_sockets.contains(socket))
        m_sockets << socket;
    const QString method = methodName(request.method());
    const QString path = request.url().path();
    requests.push_back({method, path, request.body(), m_clock.elapsed()});
    if (onRequest)
        onRequest(requests.back());
    QHttpServerResponder responder = makeResponder(request, socket);
    if (const std::optional<Fault> fault = faultFor(path)) {
        if (fault->status == 0)
            m_stalled.push_back(std::move(responder));
        else
            responder.write(fault->body, "application/json",
                            static_cast<QHttpServerResponder::StatusCode>(fault->status));
        return true;
    }
    const Answer a = answer(method, path, request.body());
    responder.write(a.body, "application/json", static_cast<QHttpServerResponder::StatusCode>(a.status));
    return true;
}

void StandInSidecar::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
}

std::optional<StandInSidecar::Fault> StandInSidecar::faultFor(const QString &path) const
{
    for (const auto &[prefix, fault] : m_faults)
        if (path.startsWith(prefix))
            return fault;
    return std::nullopt;
}

StandInSidecar::Answer StandInSidecar::error(int status, int code, const QString &message)
{
    QJsonObject o{{QStringLiteral("code"), code}, {QStringLiteral("message"), message},
                  {QStringLiteral("details"), QJsonArray()}};
    return {status, QJsonDocument(o).toJson(QJsonDocument::Indented)};
}

StandInSidecar::Answer StandInSidecar::answer(const QString &method, const QString &path, const QByteArray &body)
{
    static const QStringList plainPosts{QStringLiteral("/ready"), QStringLiteral("/health"),
                                        QStringLiteral("/shutdown"), QStringLiteral("/allocate")};
    if (plainPosts.contains(path)) {
        if (method != QStringLiteral("POST"))
            return error(501, 12, QStringLiteral("Method Not Allowed"));
        if (body.isEmpty())
            return error(400, 3, QStringLiteral("unexpected end of JSON input"));
        if (path == QStringLiteral("/ready"))
            m_ready = true;
        return {};
    }
    if (path == QStringLiteral("/metadata/label")) {
        if (method != QStringLiteral("PUT"))
            return error(501, 12, QStringLiteral("Method Not Allowed"));
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        const QString value = o.value(QStringLiteral("value")).toString();
        static const QRegularExpression valid(QStringLiteral("^([A-Za-z0-9]([A-Za-z0-9._-]{0,61}[A-Za-z0-9])?)$"));
        if (o.value(QStringLiteral("key")).toString().isEmpty() || !valid.match(value).hasMatch())
            return error(400, 3, QStringLiteral("invalid label value"));
        m_label = value;
        return {};
    }
    const QString lists = QStringLiteral("/v1beta1/lists/");
    if (path.startsWith(lists))
        return listCall(method, path.mid(lists.size()), body);
    return error(404, 5, QStringLiteral("Not Found"));
}

StandInSidecar::Answer StandInSidecar::listCall(const QString &method, const QString &rest, const QByteArray &body)
{
    const QString name = rest.section(QLatin1Char(':'), 0, 0);
    const QString verb = rest.section(QLatin1Char(':'), 1);
    const auto found = m_lists.find(name);
    if (found == m_lists.end())
        return error(500, 2, QStringLiteral("List not found: ") + name);
    List &list = found->second;
    const QJsonObject o = QJsonDocument::fromJson(body).object();
    const QString value = o.value(QStringLiteral("value")).toString();
    if (method == QStringLiteral("GET") && verb.isEmpty())
        return {200, listJson(name)};
    if (method == QStringLiteral("POST") && verb == QStringLiteral("addValue")) {
        if (list.values.contains(value))
            return error(500, 2, QStringLiteral("already exists in the list: ") + value);
        if (list.values.size() >= list.capacity)
            return error(500, 2, QStringLiteral("out of range: list is at capacity"));
        list.values << value;
        return {200, listJson(name)};
    }
    if (method == QStringLiteral("POST") && verb == QStringLiteral("removeValue")) {
        if (!list.values.removeOne(value))
            return error(500, 2, QStringLiteral("not found in the list: ") + value);
        return {200, listJson(name)};
    }
    if (method == QStringLiteral("PATCH") && verb.isEmpty()) {
        if (o.contains(QStringLiteral("values"))) {
            list.values.clear();
            for (const QJsonValue &v : o.value(QStringLiteral("values")).toArray())
                list.values << v.toString();
        }
        return {200, QByteArrayLiteral("{\"name\":\"\",\"capacity\":\"0\",\"values\":[]}")};
    }
    return error(501, 12, QStringLiteral("Method Not Allowed"));
}

QByteArray StandInSidecar::listJson(const QString &name) const
{
    const List &list = m_lists.at(name);
    // Spaced unlike QJsonDocument's own output, with a key a reader must skip.
    QByteArray values;
    for (const QString &v : list.values)
        values += (values.isEmpty() ? "" : " , ") + QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    return "{ \"name\" : \"" + name.toUtf8() + "\", \"capacity\":\"" + QByteArray::number(list.capacity)
           + "\",\n \"values\": [" + values + "], \"x_extra\": {\"count\": \"9007199254740993\"} }";
}

} // namespace zz::test
