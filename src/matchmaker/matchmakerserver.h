#pragma once
// The matchmaker: games ask it for a table over HTTP, it asks the allocator
// (mutual TLS, credentials no game holds) and answers with the table's
// address, port and code. Knows the allocator's JSON, never the game's wire.
#include "http/httpclient.h"
#include "matchmaker/addresslimiter.h"
#include "matchmaker/allocatorjson.h"
#include "matchmaker/matchmakermetrics.h"

#include <QAbstractHttpServer>
#include <QByteArray>

#include <chrono>
#include <memory>

class QTcpSocket;

namespace zz {
class GuardedServer;
}

namespace zz {

struct AllocatorSettings
{
    std::string url;   // https://HOST[:PORT], without the path
    std::string clientCertFile, clientKeyFile, caFile;
    AllocatorTarget target;
    int timeoutMs = 5000;
};

class MatchmakerServer : public QAbstractHttpServer
{
    Q_OBJECT
public:
    static constexpr qint64 MaxBodyBytes = 4096;
    static constexpr int RetryAfterSeconds = 5;        // no table free
    static constexpr int LimitRetryAfterSeconds = 6;   // a caller's next token, at 10 a minute

    MatchmakerServer(AllocatorSettings allocator, std::unique_ptr<HttpClient> client, QObject *parent = nullptr);
    ~MatchmakerServer() override;

    // Serves the connections listener accepts (it becomes this server's
    // child) and counts the ones it cuts.
    void serve(GuardedServer *listener);

    const MatchmakerMetrics &metrics() const { return m_metrics; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Answer;
    struct Pending;

    void askAllocator(TableKind kind, const QString &route, Pending pending);
    Answer answerFromAllocator(const HttpReply &reply) const;
    void answer(const QHttpServerRequest &request, QTcpSocket &socket, const QString &route, const Answer &answer);
    void send(QTcpSocket *socket, QHttpServerResponder &responder, const QString &route, const Answer &answer,
              double allocatorSeconds);

    AllocatorSettings m_allocator;
    std::unique_ptr<HttpClient> m_client;
    AddressLimiter m_limiter{10, 5};   // 10 a minute, 5 at once
    MatchmakerMetrics m_metrics;
};

} // namespace zz
