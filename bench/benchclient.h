#pragma once
// A raw client of the game's wire on loopback, for the benchmark: it frames
// what arrives and hands each message to whoever listens.
#include "core/wire.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <functional>
#include <string>

namespace bench {

class Client
{
public:
    explicit Client(std::uint16_t port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] {
            framer.feed(socket.readAll().toStdString());
            while (auto message = framer.next()) {
                if (seat == 0 && message->rfind("CMD_sendlogininfo+", 0) == 0)
                    seat = std::stoi(message->substr(18));
                if (onMessage)
                    onMessage(*message);
            }
        });
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const std::string &bytes) { socket.write(bytes.data(), qint64(bytes.size())); }

    int seat = 0; // from the greeting
    QTcpSocket socket;
    zz::wire::FrameSplitter framer;
    std::function<void(const std::string &)> onMessage;
};

inline bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace bench
