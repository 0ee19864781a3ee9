#include "fleet/sidecar.h"

#include "fleet/sidecarreply.h"

#include <QtGlobal>

namespace zz::fleet {

namespace {

// What comes back goes to a terminal: no control bytes, no screenfuls.
std::string printable(std::string text)
{
    constexpr std::size_t Longest = 200;
    if (text.size() > Longest)
        text = text.substr(0, Longest) + "...";
    for (char &c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return text;
}

} // namespace

Sidecar::Sidecar(std::unique_ptr<HttpClient> http, std::string baseUrl)
    : m_http(std::move(http)), m_baseUrl(std::move(baseUrl))
{
}

void Sidecar::call(const std::string &method, const std::string &path, std::string body, HttpClient::Done done)
{
    HttpRequest request;
    request.method = method;
    request.url = m_baseUrl + path;
    request.body = std::move(body);
    request.headers = {{"Content-Type", "application/json"}, {"Accept", "application/json"}};
    request.timeoutMs = RequestTimeoutMs;
    m_http->send(std::move(request), std::move(done));
}

void Sidecar::reportFailure(const std::string &what, const HttpReply &reply)
{
    std::string kind = reply.error;
    if (reply.status != 0) {
        const std::string message = errorMessage(reply.body);
        kind = "HTTP " + std::to_string(reply.status) + (message.empty() ? "" : ": " + message);
    }
    kind = printable(kind);
    if (m_logged[what].insert(kind).second)
        qWarning("Zig Zop host: the game-server sidecar's %s failed: %s", what.c_str(), kind.c_str());
}

void Sidecar::reportSuccess(const std::string &what)
{
    const auto found = m_logged.find(what);
    if (found == m_logged.end() || found->second.empty())
        return;
    found->second.clear();
    qInfo("Zig Zop host: the game-server sidecar's %s works again", what.c_str());
}

} // namespace zz::fleet
