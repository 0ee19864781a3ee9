#include "matchmaker/matchmakerserver.h"

#include "core/tablecode.h"
#include "core/tableoffer.h"
#include "matchmaker/guardedserver.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTcpSocket>

#include <cstdio>

namespace zz {

namespace {

using Status = QHttpServerResponder::StatusCode;

QString field(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QByteArray errorBody(const QString &text)
{
    return QJsonDocument(QJsonObject{{field(offer::ErrorField), text}}).toJson(QJsonDocument::Compact);
}

// The metric's route label: known routes by name, anything else as "other".
QString routeLabel(const QString &path)
{
    for (const auto route : {offer::QuickRoute, offer::PrivateRoute, offer::HealthRoute, offer::MetricsRoute}) {
        if (path == field(route))
            return field(route.substr(route.rfind('/') + 1));
    }
    return QStringLiteral("other");
}

} // namespace

struct MatchmakerServer::Answer
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    int retryAfterSeconds = 0;   // 0: no Retry-After
};

struct MatchmakerServer::Pending
{
    QPointer<QTcpSocket> socket;
    QHttpServerResponder responder;
};

MatchmakerServer::MatchmakerServer(AllocatorSettings allocator, std::unique_ptr<HttpClient> client, QObject *parent)
    : QAbstractHttpServer(parent), m_allocator(std::move(allocator)), m_client(std::move(client))
{
}

MatchmakerServer::~MatchmakerServer() = default;

void MatchmakerServer::serve(GuardedServer *listener)
{
    connect(listener, &GuardedServer::connectionRefused, this,
            [this](const QString &reason) { m_metrics.countCut(reason.toStdString()); });
    bind(listener);
}

bool MatchmakerServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    GuardedServer::requestArrived(*socket);
    const QString path = request.url().path();
    const QString route = routeLabel(path);
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    if (route == QStringLiteral("healthz") || route == QStringLiteral("metrics")) {
        if (!get)
            answer(request, *socket, route, {405, errorBody(QStringLiteral("use GET"))});
        else if (route == QStringLiteral("healthz"))
            answer(request, *socket, route, {200, "ok\n", "text/plain"});
        else
            answer(request, *socket, route,
                   {200, QByteArray::fromStdString(m_metrics.text()), "text/plain; version=0.0.4"});
        return true;
    }
    if (route == QStringLiteral("other"))
        return false;
    if (!post) {
        answer(request, *socket, route, {405, errorBody(QStringLiteral("use POST"))});
        return true;
    }
    const QByteArray body = request.body();
    if (body.size() > MaxBodyBytes) {
        answer(request, *socket, route, {413, errorBody(QStringLiteral("the request is too large"))});
        return true;
    }
    // An empty body or a JSON object; the object's fields are for later versions.
    if (!body.trimmed().isEmpty() && !QJsonDocument::fromJson(body).isObject()) {
        answer(request, *socket, route, {400, errorBody(QStringLiteral("the request body is not a JSON object"))});
        return true;
    }
    const QString caller = GuardedServer::callerOf(request.remoteAddress());
    if (!m_limiter.take(caller.toStdString(), std::chrono::steady_clock::now())) {
        answer(request, *socket, route,
               {429, errorBody(QStringLiteral("too many requests from your address; try again in a minute")),
                "application/json", LimitRetryAfterSeconds});
        return true;
    }
    const TableKind kind = route == QStringLiteral("quick") ? TableKind::Public : TableKind::Private;
    askAllocator(kind, route, Pending{socket, makeResponder(request, socket)});
    return true;
}

void MatchmakerServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    answer(request, *socket, QStringLiteral("other"), {404, errorBody(QStringLiteral("no such route"))});
}

void MatchmakerServer::askAllocator(TableKind kind, const QString &route, Pending pending)
{
    HttpRequest request;
    request.method = "POST";
    request.url = m_allocator.url + "/gameserverallocation";
    request.body = allocationRequest(kind, m_allocator.target).toStdString();
    request.headers = {{"Content-Type", "application/json"}};
    request.timeoutMs = m_allocator.timeoutMs;
    request.clientCertFile = m_allocator.clientCertFile;
    request.clientKeyFile = m_allocator.clientKeyFile;
    request.caFile = m_allocator.caFile;
    // HttpClient takes a copyable function; the responder moves, so it waits in a shared box.
    auto box = std::make_shared<Pending>(std::move(pending));
    m_client->send(std::move(request), [this, box, route](const HttpReply &reply) {
        m_metrics.countAllocatorAnswer(reply.status, reply.seconds);
        send(box->socket, box->responder, route, answerFromAllocator(reply), reply.seconds);
    });
}

MatchmakerServer::Answer MatchmakerServer::answerFromAllocator(const HttpReply &reply) const
{
    const QByteArray body = QByteArray::fromStdString(reply.body);
    const QString message = QString::fromStdString(allocatorMessage(body));
    const QString detail = message.isEmpty() ? QString() : QStringLiteral(": ") + message;
    switch (reply.status) {
    case 0:
        return {502, errorBody(QStringLiteral("the allocator cannot be reached: ") + QString::fromStdString(reply.error))};
    case 200:
        break;
    case 409:
    case 429:
        return {503, errorBody(field(offer::NoTableFree)), "application/json", RetryAfterSeconds};
    default:
        return {502, errorBody(QStringLiteral("the allocator answered %1").arg(reply.status) + detail)};
    }
    const auto table = readAllocation(body);
    if (!table)
        return {502, errorBody(QStringLiteral("the allocator's answer names no table"))};
    // A table behind a host name has no code; its address still works.
    const std::string code = makeTableCode(table->address, table->port).value_or("");
    const QJsonObject offer{{field(offer::AddressField), QString::fromStdString(table->address)},
                            {field(offer::PortField), table->port},
                            {field(offer::TableField), QString::fromStdString(table->name)},
                            {field(offer::CodeField), QString::fromStdString(code)}};
    return {200, QJsonDocument(offer).toJson(QJsonDocument::Compact)};
}

void MatchmakerServer::answer(const QHttpServerRequest &request, QTcpSocket &socket, const QString &route,
                              const Answer &answer)
{
    QHttpServerResponder responder = makeResponder(request, &socket);
    send(&socket, responder, route, answer, -1);
}

void MatchmakerServer::send(QTcpSocket *socket, QHttpServerResponder &responder, const QString &route,
                            const Answer &answer, double allocatorSeconds)
{
    m_metrics.countRequest(route.toStdString(), answer.status);
    const QByteArray allocatorTime =
        allocatorSeconds < 0 ? QByteArray("-") : QByteArray::number(allocatorSeconds, 'f', 3) + " s";
    std::fprintf(stderr, "matchmaker: route=%s status=%d allocator=%s\n", route.toUtf8().constData(), answer.status,
                 allocatorTime.constData());
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;   // the caller left while the allocator thought
    responder.writeStatusLine(static_cast<Status>(answer.status));
    responder.writeHeader("Content-Type", answer.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(answer.body.size()));
    if (answer.retryAfterSeconds > 0)
        responder.writeHeader("Retry-After", QByteArray::number(answer.retryAfterSeconds));
    responder.writeBody(answer.body);
    GuardedServer::requestAnswered(*socket);
}

} // namespace zz
