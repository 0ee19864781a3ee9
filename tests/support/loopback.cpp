#include "loopback.h"

#include "waitfor.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace zz::test {

QTcpSocket *acceptPeer(QTcpServer &listener, int timeoutMs)
{
    if (!waitFor([&listener] { return listener.hasPendingConnections(); }, timeoutMs))
        return nullptr;
    return listener.nextPendingConnection();
}

QByteArray readAtLeast(QTcpSocket &socket, qsizetype count, int timeoutMs)
{
    QByteArray bytes;
    waitFor(
        [&] {
            bytes += socket.readAll();
            return bytes.size() >= count;
        },
        timeoutMs);
    return bytes;
}

} // namespace zz::test
