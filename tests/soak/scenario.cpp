#include "scenario.h"

#include "chatter.h"
#include "childprogram.h"
#include "core/names.h"
#include "procprobe.h"
#include "rawlink.h"
#include "report.h"
#include "tableowner.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace zz::soak {

namespace {

constexpr int StartBoundMs = 30000; // the host listening, everybody seated
constexpr int GameBoundMs = 180000; // one game from its start to its winner
constexpr int ChatIntervalMs = 100;
constexpr int PauseBetweenGamesMs = 2000;

// The whole run's bound: a generous minute and a half a game, and two
// minutes for the start and the wind-down together.
int runBoundMs(int games)
{
    return 120000 + games * 90000;
}

} // namespace

const QStringList &Scenario::hostEvents()
{
    static const QStringList events = {
        QStringLiteral("connection:"), QStringLiteral("login:"), QStringLiteral("connection refused"),
        QStringLiteral("dropped:"),    QStringLiteral("left:"),  QStringLiteral("round "),
        QStringLiteral("winner:")};
    return events;
}

Scenario::Scenario(Options options, Report &report, QObject *parent)
    : QObject(parent), m_options(std::move(options)), m_report(report)
{
    m_runBound.setSingleShot(true);
    m_gameBound.setSingleShot(true);
    connect(&m_runBound, &QTimer::timeout, this,
            [this] { abort(QStringLiteral("the run did not end within %1 s").arg(m_runBound.interval() / 1000)); });
    connect(&m_gameBound, &QTimer::timeout, this, [this] {
        abort(
            QStringLiteral("game %1 found no winner within %2 s").arg(m_owner->gamesStarted()).arg(GameBoundMs / 1000));
    });
}

Scenario::~Scenario() = default;

void Scenario::start()
{
    m_clock.start();
    m_runBound.start(runBoundMs(m_options.games));
    m_host = new ChildProgram(m_options.program, QStringLiteral("host"), this);
    connect(m_host, &ChildProgram::lineRead, this, &Scenario::hostLine);
    connect(m_host, &ChildProgram::ended, this, [this] { childEnded(*m_host); });
    // The allocator keeps a freed block of a megabyte or two (a dropped
    // connection's unsent bytes) resident for reuse, and where it lands by
    // chance would swamp the memory figure. Blocks above 128 KiB go back to
    // the system at once here, so resident memory shows what the host holds.
    m_host->setEnvironmentValue(QStringLiteral("MALLOC_MMAP_THRESHOLD_"), QStringLiteral("131072"));
    m_host->setEnvironmentValue(QStringLiteral("MALLOC_TRIM_THRESHOLD_"), QStringLiteral("131072"));
    m_host->start({QStringLiteral("--serve"), QStringLiteral("--port"), QStringLiteral("0")});
    when([this] { return m_port != 0; }, StartBoundMs,
         [this](bool held) {
             if (!held)
                 abort(QStringLiteral("the host never said which port it serves"));
         });
}

void Scenario::hostLine(const QString &line)
{
    static const QRegularExpression serving(QStringLiteral("^serving on port (\\d+)$"));
    if (const QRegularExpressionMatch match = serving.match(line); match.hasMatch()) {
        hostListening(static_cast<std::uint16_t>(match.captured(1).toUInt()));
        return;
    }
    for (const QString &event : hostEvents()) {
        if (line.startsWith(event))
            ++m_hostEvents[event];
    }
}

void Scenario::hostListening(std::uint16_t port)
{
    m_port = port;
    m_baselineDescriptors = openDescriptors(m_host->pid());
    m_report.note(QStringLiteral("host pid %1 serving on port %2 with %3 descriptors open")
                      .arg(m_host->pid())
                      .arg(port)
                      .arg(m_baselineDescriptors.value_or(-1)));
    m_owner = new TableOwner(m_report, this);
    connect(m_owner, &TableOwner::gameWon, this, &Scenario::gameWon);
    connect(m_owner, &TableOwner::connectionLost, this, [this] {
        if (!m_ending)
            abort(QStringLiteral("the host closed the owner's connection"));
    });
    m_owner->connectTo(port);
    when([this] { return m_owner->seat() != 0; }, StartBoundMs,
         [this](bool held) {
             if (!held || m_owner->seat() != OwnerSeat)
                 abort(QStringLiteral("the owner got seat %1, not seat 1").arg(m_owner->seat()));
             else
                 seatEveryone();
         });
}

void Scenario::seatEveryone()
{
    for (int number = 1; number <= BotCount; ++number)
        startBot(number);
    when([this] { return int(m_botSeats.size()) == BotCount; }, StartBoundMs,
         [this](bool held) {
             if (!held)
                 return abort(QStringLiteral("the computer players were not all seated"));
             QSet<int> botSeats;
             for (const auto &[name, seat] : m_botSeats)
                 botSeats.insert(seat);
             m_owner->setPlayingSeats(botSeats);
             holdPlayerSeats();
         });
}

void Scenario::holdPlayerSeats()
{
    // Connections that only hold the last player seats while the chat
    // clients take watcher seats; the fault lanes get the player seats after
    // them, so faults hit seats that play as well as seats that watch.
    auto offers = std::make_shared<int>(0);
    std::vector<RawLink *> holders;
    for (int seat = OwnerSeat + BotCount + 1; seat <= PlayerSeatCount; ++seat) {
        auto *holder = new RawLink(this);
        connect(holder, &RawLink::messageReceived, this, [offers] { ++*offers; });
        holder->connectTo(m_port);
        holders.push_back(holder);
    }
    const int wanted = int(holders.size());
    when([offers, wanted] { return *offers == wanted; }, StartBoundMs,
         [this, holders](bool held) {
             if (!held)
                 return abort(QStringLiteral("the player seats could not be held"));
             seatChatters(holders);
         });
}

void Scenario::seatChatters(const std::vector<RawLink *> &holders)
{
    for (int number = 1; number <= ChatterCount; ++number) {
        auto *chatter = new Chatter(number, m_report, this);
        chatter->connectTo(m_port);
        m_chatters.push_back(chatter);
    }
    const auto seated = [this] {
        return std::none_of(m_chatters.begin(), m_chatters.end(), [](const Chatter *c) { return c->seat() == 0; });
    };
    when(seated, StartBoundMs, [this, holders](bool held) {
        if (!held)
            return abort(QStringLiteral("the chat clients were not all seated"));
        for (RawLink *holder : holders) {
            holder->close();
            holder->deleteLater();
        }
        startRun();
    });
}

void Scenario::startBot(int number)
{
    const QString name = QStringLiteral("SoakBot%1").arg(number);
    auto *bot = new ChildProgram(m_options.program, QStringLiteral("bot ") + name, this);
    connect(bot, &ChildProgram::lineRead, this, [this, name](const QString &line) {
        static const QRegularExpression joined(QStringLiteral("^joined .* seat (\\d+)$"));
        if (const QRegularExpressionMatch match = joined.match(line); match.hasMatch())
            m_botSeats[name] = match.captured(1).toInt();
    });
    connect(bot, &ChildProgram::ended, this, [this, bot] { childEnded(*bot); });
    bot->start({QStringLiteral("--bot"), QStringLiteral("127.0.0.1:%1").arg(m_port), QStringLiteral("--speed"),
                QStringLiteral("fast"), QStringLiteral("--name"), name});
    m_bots.push_back(bot);
}

void Scenario::startRun()
{
    m_report.note(QStringLiteral("seated: owner, %1 computer players, %2 chat clients; %3 fault lanes start")
                      .arg(BotCount)
                      .arg(ChatterCount)
                      .arg(LaneCount));
    for (Chatter *chatter : m_chatters)
        chatter->startTalking(ChatIntervalMs);
    for (int number = 1; number <= LaneCount; ++number) {
        auto *lane = new FaultLane(number, m_port, m_botSeats.begin()->second, m_tally, m_report, this);
        connect(m_owner, &TableOwner::seatTaken, lane, &FaultLane::seatTaken);
        connect(m_owner, &TableOwner::seatReleased, lane, &FaultLane::seatReleased);
        lane->start();
        m_lanes.push_back(lane);
    }
    startGame();
}

void Scenario::startGame()
{
    if (m_ending)
        return;
    m_owner->startGame();
    m_gameClock.start();
    m_gameBound.start(GameBoundMs);
}

void Scenario::gameWon(int game, const QString &winner)
{
    m_gameBound.stop();
    m_gameSeconds << double(m_gameClock.elapsed()) / 1000;
    if (!winner.startsWith(QStringLiteral("SoakBot")))
        m_report.fail(QStringLiteral("game %1 was won by \"%2\", who does not play").arg(game).arg(winner));
    m_report.note(
        QStringLiteral("game %1 won by %2 after %3 s").arg(game).arg(winner).arg(m_gameSeconds.last(), 0, 'f', 1));
    if (game == 2)
        measureBetweenGames();
    else if (game < m_options.games)
        QTimer::singleShot(PauseBetweenGamesMs, this, &Scenario::startGame);
    else
        windDown();
}

void Scenario::measureBetweenGames()
{
    // Memory is compared at two quiet points alike: no fault under way and
    // only the lasting connections seated. In between, a connection that
    // stopped reading may hold up to the host's bound in unsent bytes.
    for (FaultLane *lane : m_lanes)
        lane->pause();
    when([this] { return lanesSettled(); }, SettleBoundMs,
         [this](bool held) {
             if (!held)
                 m_report.fail(QStringLiteral("the fault lanes' seats were not all released after game 2"));
             m_residentAfterSecond = residentKiB(m_host->pid());
             m_report.note(QStringLiteral("quiet point after game 2: host resident %1 KiB")
                               .arg(m_residentAfterSecond.value_or(-1)));
             for (FaultLane *lane : m_lanes)
                 lane->resume();
             QTimer::singleShot(PauseBetweenGamesMs, this, &Scenario::startGame);
         });
}

void Scenario::childEnded(ChildProgram &child)
{
    if (m_ending)
        return;
    const QString last = child.lastErrorLines().join(QStringLiteral(" / "));
    abort(QStringLiteral("%1 ended during the run: %2%3")
              .arg(child.label(), child.ending(), last.isEmpty() ? QString() : QStringLiteral("; it said: ") + last));
}

void Scenario::when(std::function<bool()> condition, int timeoutMs, std::function<void(bool held)> then)
{
    auto *poll = new QTimer(this);
    QElapsedTimer waited;
    waited.start();
    connect(poll, &QTimer::timeout, this, [=, this] {
        if (m_over) {
            poll->deleteLater();
            return;
        }
        const bool held = condition();
        if (!held && waited.elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        then(held);
    });
    poll->start(100);
}

void Scenario::abort(const QString &why)
{
    m_report.fail(why);
    end();
}

} // namespace zz::soak
