#pragma once
// The game-server sidecar's REST API as a table uses it: JSON to localhost,
// and each kind of failure told once, not once per ping, until that call
// works again.
#include "http/httpclient.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace zz::fleet {

class Sidecar
{
public:
    // Long enough for a busy node, short of the next health ping.
    static constexpr int RequestTimeoutMs = 1800;

    // baseUrl ends in '/': "http://localhost:9358/".
    Sidecar(std::unique_ptr<HttpClient> http, std::string baseUrl);

    const std::string &baseUrl() const { return m_baseUrl; }
    // path without the leading '/'; done runs later from the event loop.
    void call(const std::string &method, const std::string &path, std::string body, HttpClient::Done done);
    void cancelAll() { m_http->cancelAll(); }

    // Logs a failure of what ("health", "ready", ...) with its status and the
    // answer's message, once per kind until reportSuccess(what).
    void reportFailure(const std::string &what, const HttpReply &reply);
    void reportSuccess(const std::string &what);

    static bool ok(const HttpReply &reply) { return reply.status >= 200 && reply.status < 300; }

private:
    std::unique_ptr<HttpClient> m_http;
    std::string m_baseUrl;
    std::map<std::string, std::set<std::string>> m_logged; // what -> kinds told
};

} // namespace zz::fleet
