#pragma once
// HTTP requests on the event loop of the calling thread. The library that
// speaks HTTP lives in a module of its own (zigzop-http.so), loaded by the
// first makeHttpClient(): the window, --bot and a plain --serve never load it.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zz {

struct HttpRequest
{
    std::string method;   // "GET", "POST", "PUT", "PATCH", "DELETE"
    std::string url;      // http://127.0.0.1:9358/health, https://host:443/gameserverallocation
    std::string body;     // sent as is
    std::vector<std::pair<std::string, std::string>> headers; // {"Content-Type", "application/json"}
    int timeoutMs = 5000; // the whole request, connect included
    // Mutual TLS: a client certificate and key (PEM files); empty: none. An
    // empty caFile trusts the system's authorities.
    std::string clientCertFile, clientKeyFile, caFile;
};

struct HttpReply
{
    int status = 0;     // the HTTP status; 0 when no answer came
    std::string body;
    std::string error;  // when status is 0, the failure in words ("connection refused")
    double seconds = 0; // from send to answer
};

class HttpClient
{
public:
    // A longer answer fails with an error instead of filling memory.
    static constexpr std::size_t MaxReplyBytes = 1024 * 1024;
    using Done = std::function<void(const HttpReply &)>;

    virtual ~HttpClient() = default;
    // done runs later from the event loop, never inside send, exactly once,
    // unless the client is destroyed or cancelAll() runs first.
    virtual void send(HttpRequest request, Done done) = 0;
    // Drops every request under way; their done never runs.
    virtual void cancelAll() = 0;
};

// A client from the HTTP module, loaded on the first call from beside the
// program or the installed module folder; nullptr with the reason in error
// when it cannot be loaded.
std::unique_ptr<HttpClient> makeHttpClient(std::string *error);
// The same from the first of these module files (tests name the build's).
std::unique_ptr<HttpClient> makeHttpClient(const std::vector<std::string> &modulePaths, std::string *error);

// What the module exports, by these names. The interface number changes
// whenever HttpRequest, HttpReply or HttpClient do.
namespace httpmodule {
inline constexpr int Interface = 1;
inline constexpr char FileName[] = "zigzop-http.so";
inline constexpr char InterfaceSymbol[] = "zz_httpModuleInterface";
inline constexpr char MakeClientSymbol[] = "zz_httpModuleMakeClient";
using MakeClientFunction = HttpClient *(*)();
} // namespace httpmodule

} // namespace zz
