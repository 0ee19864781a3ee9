#pragma once
// The host as the program runs it: the word lists, the listening socket on
// the game port and one socket per connection, wired to a HostServer. The
// windowed game and the headless --serve mode both use it.
#include <QObject>
#include <QPointer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/names.h"
#include "dict/wordpool.h"

namespace zz {

class Dictionary;
class HostServer;
class StreamSocket;
enum class SocketInfo;

class HostService : public QObject
{
    Q_OBJECT
public:
    // Builds the dictionary and the word pool from the compiled-in lists.
    explicit HostService(QObject *parent = nullptr);
    ~HostService() override;

    // Starts listening on all interfaces. Throws SocketError, for example
    // "Listen - Error Binding Socket" when the port is taken.
    void listen(const std::string &portName = std::string(GamePortName));
    // The bound port, 0 before listen(): lets tests listen on port "0".
    std::uint16_t localPort() const;
    // A connection with more unsent bytes than this (1 MiB by default) has
    // stopped reading and is dropped.
    void setMaxUnsentBytes(std::size_t bytes) { m_maxUnsentBytes = bytes; }
    // Closes every connection, lowest seat first, each released and
    // announced like a leave.
    void closeAll();
    // True when the word list could not be opened: every word is then refused.
    bool dictionaryFailed() const;

    // The game itself, for log lines and for tests that drive its clock.
    HostServer &server() { return *m_server; }

private:
    void acceptConnection();
    void readConnection(StreamSocket &socket);
    void peerClosed(StreamSocket &socket);
    void socketInfo(StreamSocket &socket, SocketInfo kind);
    void sendToSeat(int seat, const std::string &bytes);
    void closeSeat(int seat);
    // The live connection of a seat (10: a refused one), or nullptr.
    StreamSocket *socketOf(int seat) const;

    WordPool m_pool;
    // Declared after the lists it reads, so it goes first.
    std::unique_ptr<HostServer> m_server;
    // Owns the accepted sockets; goes before the server it reports to.
    std::unique_ptr<StreamSocket> m_listener;
    std::array<QPointer<StreamSocket>, 11> m_sockets{};
    std::size_t m_maxUnsentBytes = 1024 * 1024;
};

} // namespace zz
