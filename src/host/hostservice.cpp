#include "host/hostservice.h"

#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "host/logfailures.h"
#include "host/hostserver.h"
#include "net/streamsocket.h"

#include <QTimer>

namespace zz {

HostService::HostService(QObject *parent)
    : QObject(parent), m_pool(builtinWordPool()),
      m_server(std::make_unique<HostServer>([this](int seat, const std::string &bytes) { sendToSeat(seat, bytes); },
                                            [this](int seat) { closeSeat(seat); }, builtinDictionary(), m_pool,
                                            &builtinLadderSolver())),
      m_listener(std::make_unique<StreamSocket>())
{
    m_listener->onAccept.bind(*this, [this](StreamSocket &) { logFailures([this] { acceptConnection(); }); });
}

HostService::~HostService() = default;

void HostService::listen(const std::string &portName)
{
    m_listener->setPortName(portName);
    m_listener->setListen(true);
}

std::uint16_t HostService::localPort() const
{
    return m_listener->localPort();
}

bool HostService::dictionaryFailed() const
{
    return builtinDictionary().failed();
}

void HostService::acceptConnection()
{
    StreamSocket *socket = m_listener->accept();
    if (!socket)
        return;
    const int seat = m_server->nextSeat();
    socket->tag = seat;
    socket->onRead.bind(*this, [this](StreamSocket &s, std::size_t) { logFailures([&] { readConnection(s); }); });
    socket->onDisconnect.bind(*this, [this](StreamSocket &s) { logFailures([&] { peerClosed(s); }); });
    socket->onInfo.bind(*this, [this](StreamSocket &s, SocketInfo kind, const std::string &) {
        logFailures([&] { socketInfo(s, kind); });
    });
    // A seat's earlier socket is already released; this one replaces it.
    m_sockets[seat] = socket;
    m_server->connectionOpened();
}

void HostService::readConnection(StreamSocket &socket)
{
    const std::string bytes = socket.receive();
    if (socketOf(socket.tag) == &socket)
        m_server->bytesReceived(socket.tag, bytes);
}

void HostService::peerClosed(StreamSocket &socket)
{
    if (socketOf(socket.tag) == &socket)
        socket.close(); // reports the close, which releases the seat
}

void HostService::socketInfo(StreamSocket &socket, SocketInfo kind)
{
    // A close is reported more than once; only the first finds its seat.
    if (kind != SocketInfo::Close || socketOf(socket.tag) != &socket)
        return;
    const int seat = socket.tag;
    m_sockets[seat] = nullptr;
    socket.deleteLater();
    m_server->connectionClosed(seat);
}

void HostService::sendToSeat(int seat, const std::string &bytes)
{
    StreamSocket *socket = socketOf(seat);
    if (!socket)
        return;
    try {
        socket->send(bytes);
    } catch (const SocketError &e) {
        qWarning("Zig Zop host: sending to seat %d: %s", seat, e.what());
    }
    if (socket->pendingSendBytes() > m_maxUnsentBytes) {
        // A peer that stops reading would grow the buffer without end. Drop
        // it like a lost connection, but not now: a broadcast may be under way.
        QTimer::singleShot(0, this, [this, seat, stale = QPointer<StreamSocket>(socket)] {
            if (stale && socketOf(seat) == stale) {
                qWarning("Zig Zop host: seat %d stopped reading; dropping it", seat);
                closeSeat(seat);
            }
        });
    }
}

void HostService::closeSeat(int seat)
{
    StreamSocket *socket = socketOf(seat);
    if (!socket)
        return;
    socket->close();
    // Normally the close report has already let go of the socket.
    if (socketOf(seat) == socket) {
        m_sockets[seat] = nullptr;
        socket->deleteLater();
    }
}

void HostService::closeAll()
{
    for (int seat = 1; seat <= MaxConnections; ++seat)
        closeSeat(seat);
}

StreamSocket *HostService::socketOf(int seat) const
{
    return seat >= 1 && seat < static_cast<int>(m_sockets.size()) ? m_sockets[seat].data() : nullptr;
}

} // namespace zz
