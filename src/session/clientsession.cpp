#include "session/clientsession.h"

#include "session/wiretext.h"
#include "core/names.h"
#include "net/streamsocket.h"

#include <QLoggingCategory>

#include <exception>
#include <optional>

Q_LOGGING_CATEGORY(lcWire, "zigzop.wire", QtWarningMsg)

namespace zz {

namespace {

QString fieldText(std::string_view &rest) { return fromWire(wire::takeField(rest)); }

// A field that should be a number and is not stops its handler: the message
// came from a broken host, so it is dropped with a warning (see takeNumber).
std::optional<int> wholeNumber(std::string_view text)
{
    const std::string field = std::string(text) + "+";
    std::string_view rest = field;
    return takeNumber(rest);
}

} // namespace

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
{
    m_dispatchTimer.setInterval(1);
    m_dispatchTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_dispatchTimer, &QTimer::timeout, this, &ClientSession::dispatchTick);
    m_socket->onRead.bind(*this, [this](StreamSocket &, std::size_t) { readReady(); });
    m_socket->onInfo.bind(*this, [this](StreamSocket &, SocketInfo kind, const std::string &) {
        // The only close report of a non-blocking stream is "Socket Closed".
        if (kind == SocketInfo::Close)
            socketClosed();
    });
}

void ClientSession::connectTo(const std::string &host, std::uint16_t port)
{
    m_socket->setHostName(host);
    m_socket->setPortName(wire::number(port));
    m_socket->open();
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
    if (!m_queue.empty() && !m_dispatchTimer.isActive())
        m_dispatchTimer.start();
}

void ClientSession::dropConnection(const char *why)
{
    qWarning() << "Dropped the connection to the host:" << why;
    m_queue.clear();
    m_splitter = wire::FrameSplitter();
    m_socket->close();   // reports the close, which ends the session
}

void ClientSession::socketClosed()
{
    // Messages that arrived before the close (such as "Game is full") are
    // still handled; the close is announced after them.
    m_closed = true;
    announceCloseWhenDone();
}

void ClientSession::announceCloseWhenDone()
{
    if (m_closed && m_queue.empty() && !m_closeAnnounced) {
        m_closeAnnounced = true;
        Q_EMIT connectionClosed();
    }
}

void ClientSession::dispatchTick()
{
    if (!m_queue.empty()) {
        const std::string entry = m_queue.pop();
        const wire::Command command = wire::splitCommand(entry);
        try {
            for (const Route &route : Routes) {
                if (!command.word.empty() && route.command == command.word) {
                    (this->*route.handler)(command.args);
                    break;
                }
            }
        } catch (const std::exception &e) {
            Q_EMIT errorOccurred(QString::fromUtf8(e.what()));
        }
    }
    if (m_queue.empty()) {
        m_dispatchTimer.stop();
        announceCloseWhenDone();
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

// ---- handlers: each gets the text after the command word and its '+' ------

void ClientSession::sendLoginInfo(std::string_view args)
{
    const auto seat = wholeNumber(args);
    if (!seat)
        return;
    m_ownSeat = *seat;
    m_loggedIn = true;
    send(wire::loginInfo(m_ownSeat, VersionText, toWire(m_loginName)));
    Q_EMIT loggedInAs(m_ownSeat);
}

void ClientSession::chatReceived(std::string_view args)
{
    const auto bar = args.find(wire::ColourBar);
    if (bar == std::string_view::npos)
        Q_EMIT chatLine(fromWire(args), QString());
    else
        Q_EMIT chatLine(fromWire(args.substr(0, bar)), fromWire(args.substr(bar + 1)));
}

void ClientSession::playASound(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    Q_EMIT soundRequested(*seat, fieldText(args));
}

// The name is the last field and may hold '+': it is the rest, taken whole.
void ClientSession::newPlayerInfo(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    Q_EMIT playerArrived(*seat, fromWire(args), *seat == m_ownSeat);
}

void ClientSession::haveWrongVersion(std::string_view args)
{
    Q_EMIT systemLine(QString::fromUtf8(line::SystemPrefix) + fromWire(args) +
                      QString::fromUtf8(line::OtherHasWrongVersion));
}

void ClientSession::wrongVersion(std::string_view)
{
    Q_EMIT systemLine(QString::fromUtf8(line::OwnWrongVersion));
}

void ClientSession::playerDisconnected(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    Q_EMIT playerLeft(*seat, fromWire(args));
}

void ClientSession::full(std::string_view)
{
    Q_EMIT gameFull();
}

void ClientSession::justWatchingChanged(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    // Any flag but "1" means the seat plays again.
    const bool watching = args.size() == 1 && args.front() == static_cast<char>(wire::WatchFlag::Watch);
    Q_EMIT justWatching(*seat, watching);
}

void ClientSession::startTheGame(std::string_view args)
{
    const QString name = fieldText(args);
    const auto playTo = takeNumber(args);
    if (!playTo)
        return;
    const auto time = takeNumber(args);
    if (!time)
        return;
    Q_EMIT gameStarted(name, *playTo, *time);
}

void ClientSession::getNextPlayer(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    Q_EMIT nextPlayer(*seat);
}

// The name may hold '+' (the host sends it whole), so it runs to the last '+'.
void ClientSession::winnerAnnounced(std::string_view args)
{
    if (!args.empty() && args.back() == wire::Separator)
        args.remove_suffix(1);
    Q_EMIT winner(fromWire(args));
}

void ClientSession::roundStart(std::string_view args)
{
    const auto round = takeNumber(args);
    if (!round)
        return;
    const QString start = fieldText(args);
    const QString end = fieldText(args);
    Q_EMIT roundStarted(*round, start, end);
}

void ClientSession::invalidWord(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    const QString word = fieldText(args);
    if (const auto code = takeNumber(args))
        Q_EMIT wordRefused(*seat, word, *code);
}

void ClientSession::goodWord(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    const QString word = fieldText(args);
    if (const auto count = takeNumber(args))
        Q_EMIT wordAccepted(*seat, word, *count);
}

void ClientSession::completed(std::string_view args)
{
    const auto seat = takeNumber(args);
    if (!seat)
        return;
    if (const auto count = takeNumber(args))
        Q_EMIT ladderCompleted(*seat, *count);
}

void ClientSession::timeUpReceived(std::string_view)
{
    Q_EMIT timeUp();
}

void ClientSession::postScores(std::string_view args)
{
    if (const auto records = parseScores(args))
        Q_EMIT scoresPosted(*records);
}

void ClientSession::stats(std::string_view args)
{
    if (const auto stats = parseStats(args))
        Q_EMIT statsReceived(*stats);
}

void ClientSession::addCorrect(std::string_view args)
{
    if (const auto ladder = parseLadder(args))
        Q_EMIT ladderShown(ladder->seat, ladder->boxes);
}

} // namespace zz
