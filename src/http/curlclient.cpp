// The HTTP module: libcurl's multi interface driven by the Qt event loop.
// curl tells which sockets to watch and when to wake it; socket notifiers and
// one single-shot timer do the waiting, so nothing blocks and no thread runs.
#include "http/httpclient.h"

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <curl/curl.h>

#include <cerrno>
#include <deque>
#include <map>
#include <memory>

namespace zz {
namespace {

struct Transfer
{
    CURL *easy = nullptr;
    curl_slist *headers = nullptr;
    HttpClient::Done done;
    HttpReply reply;
    int timeoutMs = 0;
    bool tooLong = false;
    long osError = 0; // errno of a failed connect
    char errorText[CURL_ERROR_SIZE] = {};

    ~Transfer()
    {
        curl_slist_free_all(headers);
        if (easy)
            curl_easy_cleanup(easy);
    }
};

// The failure in words, for a transfer that got no answer.
std::string failureText(CURLcode code, const Transfer &transfer)
{
    const std::string detail = transfer.errorText[0] ? transfer.errorText : curl_easy_strerror(code);
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        return transfer.osError == ECONNREFUSED ? "connection refused" : "could not connect: " + detail;
    case CURLE_OPERATION_TIMEDOUT:
        return "timed out after " + std::to_string((transfer.timeoutMs + 999) / 1000) + " s";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return "TLS handshake failed: " + detail;
    case CURLE_WRITE_ERROR:
        if (transfer.tooLong)
            return "the answer is longer than " + std::to_string(HttpClient::MaxReplyBytes) + " bytes";
        return detail;
    default:
        return detail;
    }
}

size_t collectBody(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    if (transfer->reply.body.size() + bytes > HttpClient::MaxReplyBytes) {
        transfer->tooLong = true;
        return 0; // stops the transfer with CURLE_WRITE_ERROR
    }
    transfer->reply.body.append(data, bytes);
    return bytes;
}

class CurlClient final : public QObject, public HttpClient
{
public:
    CurlClient() : m_multi(curl_multi_init())
    {
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlClient::socketCallback);
        curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlClient::timerCallback);
        curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
        m_finish.setSingleShot(true);
        m_finish.setInterval(0);
        QObject::connect(&m_finish, &QTimer::timeout, this, [this] { deliverFinished(); });
    }

    ~CurlClient() override
    {
        dropTransfers();
        curl_multi_cleanup(m_multi);
    }

    void send(HttpRequest request, Done done) override
    {
        auto transfer = std::make_unique<Transfer>();
        transfer->done = std::move(done);
        transfer->timeoutMs = request.timeoutMs;
        transfer->easy = curl_easy_init();
        if (!transfer->easy || !configure(*transfer, request)
            || curl_multi_add_handle(m_multi, transfer->easy) != CURLM_OK) {
            transfer->reply.error = "the request could not be set up";
            m_finished.push_back(std::move(transfer));
            m_finish.start();
            return;
        }
        m_running.emplace(transfer->easy, std::move(transfer));
    }

    void cancelAll() override
    {
        dropTransfers();
        m_finished.clear();
    }

private:
    // A socket's notifiers. Removed ones are disabled and deleted later: curl
    // asks for that from inside a notifier's own handler.
    struct Watch
    {
        QPointer<QSocketNotifier> read, write;
        void drop()
        {
            for (QSocketNotifier *n : {read.data(), write.data()})
                if (n) {
                    n->setEnabled(false);
                    n->deleteLater();
                }
            read = write = nullptr;
        }
    };

    bool configure(Transfer &transfer, const HttpRequest &request)
    {
        CURL *e = transfer.easy;
        curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
        curl_easy_setopt(e, CURLOPT_ERRORBUFFER, transfer.errorText);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &collectBody);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        if (request.method != "GET" || !request.body.empty()) {
            curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
            curl_easy_setopt(e, CURLOPT_COPYPOSTFIELDS, request.body.c_str());
        }
        curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        // curl would otherwise wait for a "100 Continue" before a large body.
        transfer.headers = curl_slist_append(transfer.headers, "Expect:");
        for (const auto &[name, value] : request.headers)
            transfer.headers = curl_slist_append(transfer.headers, (name + ": " + value).c_str());
        curl_easy_setopt(e, CURLOPT_HTTPHEADER, transfer.headers);
        if (!request.clientCertFile.empty())
            curl_easy_setopt(e, CURLOPT_SSLCERT, request.clientCertFile.c_str());
        if (!request.clientKeyFile.empty())
            curl_easy_setopt(e, CURLOPT_SSLKEY, request.clientKeyFile.c_str());
        if (!request.caFile.empty())
            curl_easy_setopt(e, CURLOPT_CAINFO, request.caFile.c_str());
        return transfer.headers != nullptr;
    }

    static int socketCallback(CURL *, curl_socket_t socket, int what, void *user, void *)
    {
        static_cast<CurlClient *>(user)->watch(socket, what);
        return 0;
    }

    static int timerCallback(CURLM *, long timeoutMs, void *user)
    {
        auto *self = static_cast<CurlClient *>(user);
        if (timeoutMs < 0)
            self->m_timer.stop();
        else
            self->m_timer.start(static_cast<int>(timeoutMs));
        return 0;
    }

    void watch(curl_socket_t socket, int what)
    {
        Watch &w = m_watches[socket];
        if (what == CURL_POLL_REMOVE) {
            w.drop();
            m_watches.erase(socket);
            return;
        }
        const bool wantRead = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
        const bool wantWrite = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
        enable(w.read, socket, QSocketNotifier::Read, wantRead, CURL_CSELECT_IN);
        enable(w.write, socket, QSocketNotifier::Write, wantWrite, CURL_CSELECT_OUT);
    }

    void enable(QPointer<QSocketNotifier> &notifier, curl_socket_t socket, QSocketNotifier::Type type, bool on,
                int event)
    {
        if (!notifier && on) {
            notifier = new QSocketNotifier(socket, type, this);
            QObject::connect(notifier, &QSocketNotifier::activated, this,
                             [this, socket, event] { act(socket, event); });
        }
        if (notifier)
            notifier->setEnabled(on);
    }

    void act(curl_socket_t socket, int events)
    {
        int running = 0;
        curl_multi_socket_action(m_multi, socket, events, &running);
        collectFinished();
        if (!m_finished.empty())
            m_finish.start();
    }

    void collectFinished()
    {
        int left = 0;
        while (CURLMsg *message = curl_multi_info_read(m_multi, &left)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            const auto found = m_running.find(message->easy_handle);
            if (found == m_running.end())
                continue;
            std::unique_ptr<Transfer> transfer = std::move(found->second);
            m_running.erase(found);
            curl_multi_remove_handle(m_multi, transfer->easy);
            finish(*transfer, message->data.result);
            m_finished.push_back(std::move(transfer));
        }
    }

    static void finish(Transfer &transfer, CURLcode result)
    {
        long status = 0;
        double seconds = 0;
        curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_getinfo(transfer.easy, CURLINFO_TOTAL_TIME, &seconds);
        curl_easy_getinfo(transfer.easy, CURLINFO_OS_ERRNO, &transfer.osError);
        transfer.reply.seconds = seconds;
        if (result == CURLE_OK) {
            transfer.reply.status = static_cast<int>(status);
        } else {
            transfer.reply.status = 0;
            transfer.reply.body.clear();
            transfer.reply.error = failureText(result, transfer);
        }
    }

    // From a timer of its own, so no done runs inside curl or inside another
    // done; a done may send, cancel everything or destroy this client.
    void deliverFinished()
    {
        const QPointer<QObject> alive(this);
        while (alive && !m_finished.empty()) {
            std::unique_ptr<Transfer> transfer = std::move(m_finished.front());
            m_finished.pop_front();
            if (transfer->done)
                transfer->done(transfer->reply);
        }
    }

    void dropTransfers()
    {
        for (auto &entry : m_running)
            curl_multi_remove_handle(m_multi, entry.first);
        m_running.clear();
    }

    CURLM *m_multi;
    QTimer m_timer;  // curl's wake-up
    QTimer m_finish; // hands finished transfers to their callers
    std::map<CURL *, std::unique_ptr<Transfer>> m_running;
    std::deque<std::unique_ptr<Transfer>> m_finished;
    std::map<curl_socket_t, Watch> m_watches;
};

} // namespace
} // namespace zz

extern "C" {

Q_DECL_EXPORT int zz_httpModuleInterface()
{
    return zz::httpmodule::Interface;
}

Q_DECL_EXPORT zz::HttpClient *zz_httpModuleMakeClient()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready ? new zz::CurlClient : nullptr;
}

} // extern "C"
