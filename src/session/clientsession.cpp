#include "session/clientsession.h"

#include "session/wiretext.h"
#include "core/names.h"
#include "net/hostlookup.h"
#include "net/lookuplater.h"
#include "net/socketerrors.h"
#include "net/streamsocket.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <exception>
#include <optional>

Q_LOGGING_CATEGORY(lcWire, "zigzop.wire", QtWarningMsg)

namespace zz {

// Compared in this order; the first match handles the message.
const ClientSession::Route ClientSession::Routes[] = {
    {wire::CmdSendLoginInfo, &ClientSession::sendLoginInfo},
    {wire::CmdChat, &ClientSession::chatReceived},
    {wire::CmdAction, &ClientSession::chatReceived},
    {wire::CmdPlayASound, &ClientSession::playASound},
    {wire::CmdNewPlayerInfo, &ClientSession::newPlayerInfo},
    {wire::CmdHaveWrongVersion, &ClientSession::haveWrongVersion},
    {wire::CmdWrongVersion, &ClientSession::wrongVersion},
    {wire::CmdExistingPlayers, &ClientSession::newPlayerInfo},
    {wire::CmdPlayerDisconnected, &ClientSession::playerDisconnected},
    {wire::CmdFull, &ClientSession::full},
    {wire::CmdJustWatching, &ClientSession::justWatchingChanged},
    {wire::CmdStartGame, &ClientSession::startTheGame},
    {wire::CmdNextPlayer, &ClientSession::getNextPlayer},
    {wire::CmdWinner, &ClientSession::winnerAnnounced},
    {wire::CmdRoundStart, &ClientSession::roundStart},
    {wire::CmdInvalidWord, &ClientSession::invalidWord},
    {wire::CmdGoodWord, &ClientSession::goodWord},
    {wire::CmdCompleted, &ClientSession::completed},
    {wire::CmdPostScores, &ClientSession::postScores},
    {wire::CmdStats, &ClientSession::stats},
    {wire::CmdTimeUp, &ClientSession::timeUpReceived},
    {wire::CmdAddCorrect, &ClientSession::addCorrect},
};

ClientSession::ClientSession(QObject *parent)
    : QObject(parent)
    , m_socket(new StreamSocket(this))
    , m_connectClock(new QTimer(this))
{
    m_connectClock->setSingleShot(true);
    m_connectClock->setInterval(ConnectTimeoutSeconds * 1000);
    connect(m_connectClock, &QTimer::timeout, this, &ClientSession::connectTimedOut);
    m_socket->onConnect.bind(*this, [this](StreamSocket &) { m_connectClock->stop(); });
    m_socket->onRead.bind(*this, [this](StreamSocket &, std::size_t) { readReady(); });
    m_socket->onInfo.bind(*this, [this](StreamSocket &socket, SocketInfo kind, const std::string &text) {
        if (m_connectFailed)
            return;
        // The only close report of a non-blocking stream is "Socket Closed".
        if (kind == SocketInfo::Close)
            socketClosed();
        else if (kind == SocketInfo::Error && !socket.isConnected() && !m_closed)
            failConnect(text, QString::fromStdString(net::socketErrorReason(socket.connectError())));
    });
}

void ClientSession::connectTo(const std::string &host, std::uint16_t port)
{
    m_connectFailed = false;
    m_connectClock->start();
    m_socket->setPortName(wire::number(port));
    if (net::resolvesAtOnce(host)) {
        m_socket->setHostName(host);
        try {
            m_socket->open();
        } catch (const SocketError &) {
            m_connectClock->stop();
            throw;
        }
        return;
    }
    // The system's look-up may take seconds: the connection starts when it
    // answers, and then finds the name in the socket's cache.
    net::lookUpHostLater(
        host, *this,
        [this, host](std::optional<net::IpAddress> address) {
            if (m_connectFailed)
                return;   // the clock ran out first
            if (!address) {
                failConnect(std::string(net::HostNotFound), QStringLiteral("no such host"));
                return;
            }
            try {
                m_socket->setHostName(host);
                m_socket->open();
            } catch (const std::exception &e) {
                failConnect(e.what(), QStringLiteral("no such host"));
            }
        },
        m_resolve);
}

void ClientSession::connectTimedOut()
{
    if (m_connectFailed || m_socket->isConnected())
        return;
    // Given up before the close, whose report then means no table's close.
    m_connectFailed = true;
    m_socket->close();
    failConnect(net::socketErrorText(net::socketErrorCode(ETIMEDOUT)),
                QStringLiteral("timed out after %1 s").arg(ConnectTimeoutSeconds));
}

void ClientSession::failConnect(const std::string &why, const QString &reason)
{
    m_connectFailed = true;
    m_connectClock->stop();
    Q_EMIT connectFailed(QString::fromStdString(why), reason);
}

void ClientSession::readReady()
{
    try {
        const std::string bytes = m_socket->receive();
        receiveBytes(bytes);
    } catch (const std::exception &e) {
        Q_EMIT errorOccurred(QString::fromUtf8(e.what()));
    }
}

void ClientSession::receiveBytes(std::string_view bytes)
{
    if (!m_splitter.feed(bytes)) {
        dropConnection("a message too long without a terminator");
        return;
    }
    while (auto entry = m_splitter.next()) {
        qCDebug(lcWire).noquote() << "in:" << fromWire(*entry);
        if (!m_queue.push(std::move(*entry))) {
            dropConnection("too many unhandled messages");
            return;
        }
    }
    dispatchQueued();
}

void ClientSession::dropConnection(const char *why)
{
    qWarning() << "Dropped the connection to the host:" << why;
    m_queue.clear();
    m_splitter = wire::FrameSplitter();
    m_socket->close();   // reports the close, which ends the session
}

void ClientSession::leave()
{
    m_left = true;
    m_queue.clear();
    m_socket->close();   // reports the close, which ends the session
}

void ClientSession::socketClosed()
{
    // Messages that arrived before the close (such as "Game is full") are
    // still handled; the close is announced after them.
    m_closed = true;
    // A close reported from inside a handler waits for the pass to end.
    if (!m_dispatching)
        announceCloseWhenDone();
}

void ClientSession::announceCloseWhenDone()
{
    if (m_closed && m_queue.empty() && !m_closeAnnounced) {
        m_closeAnnounced = true;
        Q_EMIT connectionClosed();
    }
}

void ClientSession::dispatchQueued()
{
    // Input that arrives inside a handler (a nested event loop) is queued
    // behind the rest and handled by this pass, never inside that handler.
    if (m_dispatching)
        return;
    const QPointer<ClientSession> alive(this);
    m_dispatching = true;
    while (!m_queue.empty()) {
        dispatch(m_queue.pop());
        // A handler may have closed the window that owns this session.
        if (!alive)
            return;
    }
    m_dispatching = false;
    announceCloseWhenDone();
}

void ClientSession::dispatch(const std::string &entry)
{
    const wire::Command command = wire::splitCommand(entry);
    try {
        for (const Route &route : Routes) {
            if (!command.word.empty() && route.command == command.word) {
                // A number field that is not a number: a broken host, so the message changes nothing.
                if (!(this->*route.handler)(command.args))
                    qWarning().noquote() << "Dropped a message that could not be read:" << fromWire(entry);
                break;
            }
        }
    } catch (const std::exception &e) {
        Q_EMIT errorOccurred(QString::fromUtf8(e.what()));
    }
}

bool ClientSession::send(const std::string &message)
{
    if (!m_loggedIn || m_closed)
        return false;
    qCDebug(lcWire).noquote() << "out:" << fromWire(message);
    m_socket->send(message);
    return true;
}

bool ClientSession::sendWord(const QString &word)
{
    return send(wire::sendWord(m_ownSeat, toWire(word)));
}

bool ClientSession::sendChat(const QString &text, const QString &colour)
{
    return send(wire::chatRequest(m_ownSeat, toWire(text), toWire(colour)));
}

bool ClientSession::sendAction(const QString &text, const QString &colour)
{
    return send(wire::actionRequest(m_ownSeat, toWire(text), toWire(colour)));
}

bool ClientSession::startGame(const QString &name, int playTo, int time, bool three, bool four, bool five)
{
    return send(wire::startGameRequest(toWire(name), wire::number(playTo), wire::number(time), three, four, five));
}

bool ClientSession::justWatch(int seat, bool watch)
{
    return send(wire::justWatch(seat, watch ? wire::WatchFlag::Watch : wire::WatchFlag::PlayAgain));
}

bool ClientSession::kickHim(int target)
{
    return send(wire::kickHim(m_ownSeat, target));
}

bool ClientSession::playSound(int sound)
{
    return send(wire::playASoundRequest(m_ownSeat, sound));
}

// ---- handlers: each gets the text after the command word and its '+' and
// returns false when the message could not be read ----------------------------

bool ClientSession::sendLoginInfo(std::string_view args)
{
    const auto m = wire::parseSendLoginInfo(args);
    if (!m)
        return false;
    m_ownSeat = m->seat;
    m_loggedIn = true;
    Q_EMIT seatOffered(m_ownSeat);
    if (m_left) {
        m_loggedIn = false;   // it turned the seat down
        return true;
    }
    send(wire::loginInfo(m_ownSeat, VersionText, toWire(m_loginName)));
    Q_EMIT loggedInAs(m_ownSeat);
    return true;
}

bool ClientSession::chatReceived(std::string_view args)
{
    const auto m = wire::parseChatRelay(args);
    if (m)
        Q_EMIT chatLine(fromWire(m->line), fromWire(m->colour));
    return m.has_value();
}

bool ClientSession::playASound(std::string_view args)
{
    const auto m = wire::parsePlayASoundRelay(args);
    if (m)
        Q_EMIT soundRequested(m->seat, fromWire(m->sound));
    return m.has_value();
}

bool ClientSession::newPlayerInfo(std::string_view args)
{
    const auto m = wire::parseNewPlayerInfo(args);
    if (m)
        Q_EMIT playerArrived(m->seat, fromWire(m->name), m->seat == m_ownSeat);
    return m.has_value();
}

bool ClientSession::haveWrongVersion(std::string_view args)
{
    const auto m = wire::parseHaveWrongVersion(args);
    if (m)
        Q_EMIT systemLine(fromAscii(line::SystemPrefix) + fromWire(m->name) + fromAscii(line::OtherHasWrongVersion));
    return m.has_value();
}

bool ClientSession::wrongVersion(std::string_view)
{
    Q_EMIT systemLine(fromAscii(line::OwnWrongVersion));
    return true;
}

bool ClientSession::playerDisconnected(std::string_view args)
{
    const auto m = wire::parsePlayerDisconnected(args);
    if (m)
        Q_EMIT playerLeft(m->seat, fromWire(m->name));
    return m.has_value();
}

bool ClientSession::full(std::string_view)
{
    Q_EMIT gameFull();
    return true;
}

bool ClientSession::justWatchingChanged(std::string_view args)
{
    const auto m = wire::parseJustWatching(args);
    if (m)
        Q_EMIT justWatching(m->seat, m->watching);
    return m.has_value();
}

bool ClientSession::startTheGame(std::string_view args)
{
    const auto m = wire::parseStartGameAnnounce(args);
    if (m)
        Q_EMIT gameStarted(fromWire(m->name), m->playTo, m->time);
    return m.has_value();
}

bool ClientSession::getNextPlayer(std::string_view args)
{
    const auto m = wire::parseNextPlayer(args);
    if (m)
        Q_EMIT nextPlayer(m->seat);
    return m.has_value();
}

bool ClientSession::winnerAnnounced(std::string_view args)
{
    const auto m = wire::parseWinner(args);
    if (m)
        Q_EMIT winner(fromWire(m->name));
    return m.has_value();
}

bool ClientSession::roundStart(std::string_view args)
{
    const auto m = wire::parseRoundStart(args);
    if (m)
        Q_EMIT roundStarted(m->round, fromWire(m->start), fromWire(m->end));
    return m.has_value();
}

bool ClientSession::invalidWord(std::string_view args)
{
    const auto m = wire::parseInvalidWord(args);
    if (m)
        Q_EMIT wordRefused(m->seat, fromWire(m->word), m->code);
    return m.has_value();
}

bool ClientSession::goodWord(std::string_view args)
{
    const auto m = wire::parseGoodWord(args);
    if (m)
        Q_EMIT wordAccepted(m->seat, fromWire(m->word), m->count);
    return m.has_value();
}

bool ClientSession::completed(std::string_view args)
{
    const auto m = wire::parseCompleted(args);
    if (m)
        Q_EMIT ladderCompleted(m->seat, m->count);
    return m.has_value();
}

bool ClientSession::timeUpReceived(std::string_view)
{
    Q_EMIT timeUp();
    return true;
}

bool ClientSession::postScores(std::string_view args)
{
    const auto m = wire::parsePostScores(args);
    if (m)
        Q_EMIT scoresPosted(toScoreRecords(*m));
    return m.has_value();
}

bool ClientSession::stats(std::string_view args)
{
    const auto m = wire::parseStats(args);
    if (m)
        Q_EMIT statsReceived(toGameStats(*m));
    return m.has_value();
}

bool ClientSession::addCorrect(std::string_view args)
{
    const auto m = wire::parseLadder(args);
    if (m) {
        const LadderRecord ladder = toLadderRecord(*m);
        Q_EMIT ladderShown(ladder.seat, ladder.boxes);
    }
    return m.has_value();
}

} // namespace zz
