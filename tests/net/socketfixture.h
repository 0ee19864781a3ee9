#pragma once
// Shared helpers for the socket tests: an event log and a connected pair on
// 127.0.0.1 with a port the system chose.
#include "net/streamsocket.h"
#include "support/waitfor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zz::test {

// Records info reports as "Kind: text", and "connect" / "disconnect". The
// handlers are bound to the socket, so the log must outlive its events.
struct EventLog {
    std::vector<std::string> entries;

    void attach(StreamSocket &socket)
    {
        socket.onInfo.bind(socket, [this](StreamSocket &, SocketInfo kind, const std::string &message) {
            entries.push_back(std::string(socketInfoName(kind)) + ": " + message);
        });
        socket.onConnect.bind(socket, [this](StreamSocket &) { entries.emplace_back("connect"); });
        socket.onDisconnect.bind(socket, [this](StreamSocket &) { entries.emplace_back("disconnect"); });
    }
    bool contains(const std::string &entry) const
    {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }
};

inline std::unique_ptr<StreamSocket> listenOnFreePort()
{
    auto listener = std::make_unique<StreamSocket>();
    listener->setPortName("0");
    listener->setListen(true);
    return listener;
}

// A listener, a client connected to it and the server side of that connection.
struct SocketPair {
    std::unique_ptr<StreamSocket> listener = listenOnFreePort();
    std::unique_ptr<StreamSocket> client = std::make_unique<StreamSocket>();
    StreamSocket *server = nullptr;   // owned by the listener

    // Call after attaching handlers that accepted sockets should copy.
    bool connect(const std::string &host = "127.0.0.1")
    {
        listener->onAccept.bind(*listener, [this](StreamSocket &l) { server = l.accept(); });
        client->setHostName(host);
        client->setPortName(std::to_string(listener->localPort()));
        client->open();
        return waitFor([this] { return client->isConnected() && server != nullptr; });
    }
};

template <typename Operation>
std::string socketErrorOf(Operation &&operation)
{
    try {
        operation();
    } catch (const SocketError &error) {
        return error.what();
    }
    return "(no SocketError)";
}

} // namespace zz::test
