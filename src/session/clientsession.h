#pragma once
// The client's connection to the host: it frames and queues what arrives,
// handles all of it at once in order, answers the login and turns every other
// command into a typed signal. No widgets: views connect to it.
#include "session/gamerecords.h"
#include "core/wire.h"
#include "net/lookuplater.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class QTimer;

namespace zz {

class StreamSocket;

class ClientSession : public QObject
{
    Q_OBJECT
public:
    explicit ClientSession(QObject *parent = nullptr);

    // The name sent in the login reply.
    void setPlayerName(const QString &name) { m_loginName = name; }
    // A table that has not answered by then is given up: the system alone
    // would keep a player waiting for minutes.
    static constexpr int ConnectTimeoutSeconds = 15;

    // Starts connecting; the outcome arrives later as messages, or as
    // connectFailed. A host name the system must look up is resolved without
    // blocking. Throws SocketError for an address that is no address.
    void connectTo(const std::string &host, std::uint16_t port);
    // Answers host-name look-ups instead of the system (tests keep their
    // queries on this machine).
    void setResolver(net::Resolver resolve) { m_resolve = std::move(resolve); }
    // The connect clock ran out; public so tests need not wait for it.
    void connectTimedOut();

    int ownSeat() const { return m_ownSeat; }
    bool loggedIn() const { return m_loggedIn; }
    std::size_t queuedMessages() const { return m_queue.size(); }
    // Closes the connection from this side; connectionClosed follows. Called
    // from a seatOffered slot, it also keeps the login reply from going out.
    void leave();

    // Sending needs a login; each returns false when nothing was sent.
    bool sendWord(const QString &word);
    bool sendChat(const QString &text, const QString &colour);
    bool sendAction(const QString &text, const QString &colour);
    bool startGame(const QString &name, int playTo, int time, bool three, bool four, bool five);
    bool justWatch(int seat, bool watch);
    bool kickHim(int target);
    bool playSound(int sound);

    // The read path: frames the bytes, then handles every whole message in
    // order. Public so tests can drive it without a socket.
    void receiveBytes(std::string_view bytes);

Q_SIGNALS:
    // The host offered a seat. Emitted before the login reply goes out, so a
    // directly connected slot may still choose the name.
    void seatOffered(int seat);
    void loggedInAs(int seat);
    // A seat arrived or was already present; self when it is this client's seat.
    void playerArrived(int seat, const QString &name, bool self);
    void playerLeft(int seat, const QString &name);
    // A ready chat-view line ("0+" marks a line of the program itself).
    void systemLine(const QString &line);
    // A relayed chat or action line and its colour text ("" when none came).
    void chatLine(const QString &line, const QString &colour);
    void soundRequested(int seat, const QString &soundName);
    void gameFull();
    void justWatching(int seat, bool watching);
    void gameStarted(const QString &name, int playTo, int time);
    void roundStarted(int round, const QString &start, const QString &end);
    void nextPlayer(int seat);
    void wordAccepted(int seat, const QString &word, int count);
    void wordRefused(int seat, const QString &word, int code);
    void ladderCompleted(int seat, int count);
    void timeUp();
    void scoresPosted(const QList<zz::ScoreRecord> &records);
    void statsReceived(const zz::GameStats &stats);
    // The first finisher's ladder: (box number, word) for each filled box.
    void ladderShown(int seat, const QList<QPair<int, QString>> &boxes);
    void winner(const QString &name);
    // The host closed the connection; sent once the queue is worked off.
    void connectionClosed();
    // The connection could not be made: the socket's error text, and the
    // reason in a player's words ("connection refused", "no such host",
    // "timed out after 15 s"). Nothing follows.
    void connectFailed(const QString &why, const QString &reason);
    // An exception caught at one of the session's entry points.
    void errorOccurred(const QString &text);

private:
    using Handler = bool (ClientSession::*)(std::string_view args);
    struct Route
    {
        std::string_view command;
        Handler handler;
    };
    static const Route Routes[];

    void readReady();
    void failConnect(const std::string &why, const QString &reason);
    void socketClosed();
    void announceCloseWhenDone();
    void dispatchQueued();
    void dispatch(const std::string &entry);
    void dropConnection(const char *why);
    bool send(const std::string &message);

    bool sendLoginInfo(std::string_view args);
    bool chatReceived(std::string_view args);
    bool playASound(std::string_view args);
    bool newPlayerInfo(std::string_view args);
    bool haveWrongVersion(std::string_view args);
    bool wrongVersion(std::string_view args);
    bool playerDisconnected(std::string_view args);
    bool full(std::string_view args);
    bool justWatchingChanged(std::string_view args);
    bool startTheGame(std::string_view args);
    bool getNextPlayer(std::string_view args);
    bool winnerAnnounced(std::string_view args);
    bool roundStart(std::string_view args);
    bool invalidWord(std::string_view args);
    bool goodWord(std::string_view args);
    bool completed(std::string_view args);
    bool postScores(std::string_view args);
    bool stats(std::string_view args);
    bool timeUpReceived(std::string_view args);
    bool addCorrect(std::string_view args);

    StreamSocket *m_socket = nullptr;   // child of this session
    QTimer *m_connectClock = nullptr;   // child of this session
    net::Resolver m_resolve = net::resolveThroughSystem;
    bool m_connectFailed = false;    // given up: the socket's own reports no longer count
    wire::FrameSplitter m_splitter;
    wire::InboundQueue m_queue;
    bool m_dispatching = false;      // a pass over the queue is under way further up the stack
    QString m_loginName;
    int m_ownSeat = 0;
    bool m_loggedIn = false;
    bool m_closed = false;           // the host closed the connection
    bool m_closeAnnounced = false;   // ... and the queue was worked off since
    bool m_left = false;             // this side closed the connection
};

} // namespace zz
