#include "bot/bot.h"

#include "bot/botnames.h"
#include "core/colourtext.h"
#include "core/messages.h"
#include "core/names.h"
#include "session/clientsession.h"
#include "session/wiretext.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <exception>
#include <random>

namespace zz {

namespace {

// How long it may sit lowest, which owns the table, before it leaves.
constexpr int OwnerGraceMs = 2000;

// No exception may leave a slot into Qt's code: a computer player that
// stumbles says so and plays on.
template <typename Body>
void logFailure(Body &&body) noexcept
{
    try {
        body();
    } catch (const std::exception &e) {
        qWarning("Zig Zop computer player: %s", e.what());
    }
}

template <typename... Args>
auto guardedSlot(Bot *bot, void (Bot::*handler)(Args...))
{
    return [bot, handler](Args... args) { logFailure([&] { (bot->*handler)(args...); }); };
}

} // namespace

Bot::Bot(const Dictionary &dictionary, const LadderSolver &solver, QObject *parent)
    : QObject(parent), m_session(new ClientSession(this)), m_mind(dictionary, solver), m_random(std::random_device()())
{
    m_thinking.setSingleShot(true);
    m_phraseTimer.setSingleShot(true);
    m_ownerGrace.setSingleShot(true);
    connect(&m_ownerGrace, &QTimer::timeout, this, &Bot::ownershipTimedOut);
    connect(&m_thinking, &QTimer::timeout, this, guardedSlot(this, &Bot::thinkingDone));
    connect(&m_phraseTimer, &QTimer::timeout, this, guardedSlot(this, &Bot::sayPhrase));
    connectSession();
}

Bot::~Bot() = default;

void Bot::connectSession()
{
    ClientSession *s = m_session;
    connect(s, &ClientSession::seatOffered, this, guardedSlot(this, &Bot::seatOffered));
    connect(s, &ClientSession::loggedInAs, this, [this](int seat) {
        seatTaken(seat, true);
        Q_EMIT joined(seat, m_name);
    });
    connect(s, &ClientSession::playerArrived, this, [this](int seat) { seatTaken(seat, true); });
    connect(s, &ClientSession::playerLeft, this, [this](int seat) { seatTaken(seat, false); });
    connect(s, &ClientSession::gameStarted, this, [this] { m_watching = false; });
    connect(s, &ClientSession::roundStarted, this, guardedSlot(this, &Bot::roundStarted));
    connect(s, &ClientSession::nextPlayer, this, guardedSlot(this, &Bot::nextPlayer));
    connect(s, &ClientSession::statsReceived, this, guardedSlot(this, &Bot::statsReceived));
    connect(s, &ClientSession::wordAccepted, this, guardedSlot(this, &Bot::wordAccepted));
    connect(s, &ClientSession::wordRefused, this, guardedSlot(this, &Bot::wordRefused));
    connect(s, &ClientSession::ladderCompleted, this,
            [this](int seat, int) { logFailure([&] { ladderCompleted(seat); }); });
    connect(s, &ClientSession::timeUp, this, guardedSlot(this, &Bot::stopPlaying));
    connect(s, &ClientSession::scoresPosted, this, guardedSlot(this, &Bot::scoresPosted));
    connect(s, &ClientSession::justWatching, this, guardedSlot(this, &Bot::justWatching));
    connect(s, &ClientSession::winner, this, [this](const QString &name) {
        logFailure([this] { react(PhraseHabit::Occasion::GameOver); });
        Q_EMIT winnerAnnounced(name);
    });
    connect(s, &ClientSession::gameFull, this, &Bot::tableFull);
    connect(s, &ClientSession::connectionClosed, this, guardedSlot(this, &Bot::connectionClosed));
    connect(s, &ClientSession::connectFailed, this, [this](const QString &why) {
        Q_EMIT unreachable(why);
        connectionClosed();
    });
    connect(s, &ClientSession::errorOccurred, this,
            [](const QString &text) { qWarning().noquote() << "Zig Zop computer player:" << text; });
}

void Bot::connectTo(const std::string &host, std::uint16_t port)
{
    m_session->connectTo(host, port);
}

int Bot::seat() const
{
    return m_session->ownSeat();
}

bool Bot::loggedIn() const
{
    return m_session->loggedIn();
}

void Bot::seatTaken(int seat, bool taken)
{
    if (!isPlayerSeat(seat))
        return;
    m_taken[static_cast<std::size_t>(seat)] = taken;
    // The others arrive just after its own login; a moment's grace lets the
    // table be known before the lowest seat counts as the owner's.
    if (!ownsTable())
        m_ownerGrace.stop();
    else if (!m_ownerGrace.isActive())
        m_ownerGrace.start(scaled(OwnerGraceMs));
}

bool Bot::ownsTable() const
{
    // The host takes starts and removals from the lowest player seat in use.
    const int own = seat();
    if (!loggedIn() || !isPlayerSeat(own))
        return false;
    for (int lower = 1; lower < own; ++lower)
        if (m_taken[static_cast<std::size_t>(lower)])
            return false;
    return true;
}

void Bot::ownershipTimedOut()
{
    if (!ownsTable() || m_left)
        return;
    Q_EMIT wouldOwnTable();
    m_session->leave();
}

int Bot::scaled(int milliseconds) const
{
    return static_cast<int>(std::lround(std::max(0.0, milliseconds * m_timeScale)));
}

void Bot::seatOffered(int seat)
{
    // A computer player only plays: a watcher seat it took would stay idle
    // and keep a person out of it.
    if (!isPlayerSeat(seat)) {
        Q_EMIT noPlayerSeat();
        m_session->leave();
        return;
    }
    // The host names the others only after the login, so a bot without a
    // name starts at its seat's own: bots on different seats never clash.
    if (m_name.isEmpty())
        m_name = fromAscii(botName({}, firstBotNameForSeat(seat)));
    m_session->setPlayerName(m_name);
}

// ---- rounds and the play signal ------------------------------------------------

void Bot::beginRound(const QString &start, const QString &end)
{
    m_start = start;
    m_end = end;
    m_mind.startRound(toWire(start), toWire(end));
    m_phrases.newRound();
    m_roundClock.start();
    m_completedMs = -1;
    m_mayPlay = false;
    m_waiting = false;
    m_thinking.stop();
}

void Bot::roundStarted(int round, const QString &start, const QString &end)
{
    m_round = round;
    beginRound(start, end);
}

void Bot::nextPlayer(int seat)
{
    if (seat == m_session->ownSeat())
        startPlaying();
    else
        stopPlaying();
}

void Bot::statsReceived(const GameStats &stats)
{
    // A newcomer hears of the running round through its stats alone.
    if (stats.seat != m_session->ownSeat())
        return;
    m_round = 0;
    beginRound(stats.start, stats.end);
    if (stats.mayPlay)
        startPlaying();
}

void Bot::startPlaying()
{
    if (m_mayPlay || !isPlayerSeat(m_session->ownSeat()))
        return;
    m_mayPlay = true;
    if (playing())
        think(m_pace.readingPauseMs(m_random));
}

void Bot::stopPlaying()
{
    m_mayPlay = false;
    m_thinking.stop();
}

void Bot::justWatching(int seat, bool watching)
{
    if (seat != m_session->ownSeat())
        return;
    m_watching = watching;
    if (watching)
        m_thinking.stop();
    else if (playing() && !m_waiting && !m_thinking.isActive())
        think(0);
}

// ---- words and verdicts ------------------------------------------------------

void Bot::think(int extraMs)
{
    m_thinking.start(scaled(extraMs + m_pace.thinkingMs(m_random, m_mind.oneStepLeft())));
}

void Bot::thinkingDone()
{
    if (!playing() || m_waiting || !m_session->loggedIn())
        return;
    const std::optional<std::string> word = m_mind.nextWord(m_random, m_pace.detourChance());
    if (!word) {
        m_mind.stop();   // nothing leads on from here: wait for the next round
        return;
    }
    const QString text = fromWire(*word);
    m_waiting = m_session->sendWord(text);
    if (m_waiting)
        Q_EMIT wordSent(text);
}

void Bot::wordAccepted(int seat, const QString &word, int count)
{
    if (seat != m_session->ownSeat())
        return;
    m_waiting = false;
    m_mind.accepted(toWire(word), count);
    if (m_mind.completed() && m_completedMs < 0)
        m_completedMs = m_roundClock.elapsed();
    if (playing())
        think(0);
}

void Bot::wordRefused(int seat, const QString &word, int code)
{
    if (seat != m_session->ownSeat())
        return;
    // The ladder stands where the host last took a word; plan again from there.
    m_waiting = false;
    m_mind.refused(toWire(word), code == static_cast<int>(wire::Refusal::LadderFull));
    if (playing())
        think(0);
}

void Bot::ladderCompleted(int seat)
{
    if (seat != m_session->ownSeat())
        react(PhraseHabit::Occasion::OtherCompleted);
}

void Bot::scoresPosted(const QList<ScoreRecord> &records)
{
    stopPlaying();
    const int own = m_session->ownSeat();
    if (!isPlayerSeat(own) || m_end.isEmpty())
        return;
    BotRound result;
    result.round = m_round;
    result.start = m_start;
    result.end = m_end;
    result.words = m_mind.wordCount();
    result.completed = m_mind.completed();
    result.elapsedMs = m_completedMs >= 0 ? m_completedMs : m_roundClock.elapsed();
    for (const ScoreRecord &record : records)
        if (record.seat == own)
            result.score = record.score;
    Q_EMIT roundPlayed(result);
}

// ---- phrases and leaving -------------------------------------------------------

void Bot::react(PhraseHabit::Occasion occasion)
{
    if (!m_session->loggedIn() || m_phraseTimer.isActive())
        return;
    if (const std::optional<std::string_view> phrase = m_phrases.react(occasion, m_random)) {
        m_phrase = fromAscii(SaysPrefix) + fromAscii(*phrase);
        m_phraseTimer.start(scaled(m_pace.phraseDelayMs(m_random)));
    }
}

void Bot::sayPhrase()
{
    m_session->sendAction(m_phrase, fromAscii(colourToText(colour::Black)));
}

void Bot::connectionClosed()
{
    stopPlaying();
    m_phraseTimer.stop();
    m_ownerGrace.stop();
    if (!m_left) {
        m_left = true;
        Q_EMIT left();
    }
}

} // namespace zz
