#pragma once
// The far end of a loopback connection, played by the test itself.
#include <QByteArray>

class QTcpServer;
class QTcpSocket;

namespace zz::test {

// The next connection the listener takes, or nullptr when none came in time;
// the listener owns it.
QTcpSocket *acceptPeer(QTcpServer &listener, int timeoutMs = 5000);

// Everything that arrived on the socket once at least count bytes have, or
// whatever came before the wait ran out.
QByteArray readAtLeast(QTcpSocket &socket, qsizetype count, int timeoutMs = 5000);

} // namespace zz::test
