#pragma once
// A computer player: an ordinary client of the wire with a mind. It connects
// and logs in like a person, takes whatever seat the host gives it, knows only
// what the host's messages tell any player, and plays each round's ladder at
// a human pace. No widgets.
#include "bot/botmind.h"
#include "bot/botphrases.h"
#include "bot/pacemodel.h"
#include "core/names.h"
#include "session/gamerecords.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <string>

namespace zz {

class ClientSession;
class Dictionary;
class LadderSolver;

// How a round went for a computer player, told when its results are out.
struct BotRound
{
    int round = 0;   // 0: a round it joined late
    QString start;
    QString end;
    int words = 0;   // on its ladder
    bool completed = false;
    qint64 elapsedMs = 0;   // from the round's start to its completion, or to the results
    int score = 0;          // its running total after the round
};

class Bot : public QObject
{
    Q_OBJECT
public:
    // The dictionary and the solver must outlive the bot.
    Bot(const Dictionary &dictionary, const LadderSolver &solver, QObject *parent = nullptr);
    ~Bot() override;

    // The name to log in with. Without one the bot takes one of the five
    // computer names, starting at its seat's own.
    void setName(const QString &name) { m_name = name; }
    // The Bot Speed interval the pace is drawn around; it counts from the
    // next word on.
    void setInterval(int milliseconds) { m_pace = PaceModel(milliseconds); }
    // Multiplies every wait: below 1 plays faster than any person (tests).
    void setTimeScale(double scale) { m_timeScale = scale; }
    void setSeed(std::uint32_t seed) { m_random.seed(seed); }
    // Starts connecting; the rest arrives as messages. Throws SocketError
    // when the host name cannot be looked up.
    void connectTo(const std::string &host, std::uint16_t port);

    ClientSession &session() { return *m_session; }
    int seat() const;
    bool loggedIn() const;
    // The name it logs in with; empty until chosen.
    const QString &name() const { return m_name; }
    int intervalMs() const { return m_pace.intervalMs(); }
    // True while its own play signal holds and its ladder is not done.
    bool playing() const { return m_mayPlay && !m_watching && !m_mind.finished(); }

Q_SIGNALS:
    void joined(int seat, const QString &name);
    void wordSent(const QString &word);
    void roundPlayed(const zz::BotRound &round);
    void winnerAnnounced(const QString &name);
    void tableFull();
    // Only a watcher seat was free: it left without logging in; left() follows.
    void noPlayerSeat();
    // It sat lowest, which owns the table, and it never starts games: it left
    // so that a person can own it; left() follows.
    void wouldOwnTable();
    // No table answered (the socket's error text); left() follows.
    void unreachable(const QString &why);
    // The connection closed or never came about: the table went, the host
    // removed it, or nobody answered. Sent once.
    void left();

private:
    void connectSession();
    void seatOffered(int seat);
    void beginRound(const QString &start, const QString &end);
    void roundStarted(int round, const QString &start, const QString &end);
    void nextPlayer(int seat);
    void statsReceived(const GameStats &stats);
    void startPlaying();
    void stopPlaying();
    void think(int extraMs);
    void thinkingDone();
    void wordAccepted(int seat, const QString &word, int count);
    void wordRefused(int seat, const QString &word, int code);
    void ladderCompleted(int seat);
    void scoresPosted(const QList<ScoreRecord> &records);
    void justWatching(int seat, bool watching);
    void react(PhraseHabit::Occasion occasion);
    void sayPhrase();
    void connectionClosed();
    void seatTaken(int seat, bool taken);
    void ownershipTimedOut();
    bool ownsTable() const;
    int scaled(int milliseconds) const;

    ClientSession *m_session = nullptr;   // child
    BotMind m_mind;
    PaceModel m_pace;
    PhraseHabit m_phrases;
    BotRandom m_random;
    double m_timeScale = 1.0;
    QString m_name;

    QTimer m_thinking;   // single shot: the next word is ready
    QTimer m_phraseTimer;
    QTimer m_ownerGrace; // single shot: still lowest once the table is known
    QString m_phrase;    // waiting for m_phraseTimer
    QElapsedTimer m_roundClock;
    qint64 m_completedMs = -1;

    int m_round = 0;
    QString m_start;
    QString m_end;
    bool m_mayPlay = false;    // its play signal came this round
    bool m_watching = false;   // seated out by itself or the table owner
    bool m_waiting = false;    // a word is out, its verdict not yet in
    bool m_left = false;
    std::array<bool, PlayerSeatCount + 1> m_taken{}; // player seats on the table, 0 unused
};

} // namespace zz
