#include "tablesbench.h"

#include "benchclient.h"
#include "benchutil.h"
#include "core/messages.h"
#include "dict/builtindata.h"
#include "dict/laddersolver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int Seats = 6;

struct Counts
{
    long wordsSent = 0, wordsJudged = 0, chatsSent = 0, chatsExpected = 0, chatsRelayed = 0, games = 0, rounds = 0;
};

// One player at a human pace: a word of the round's shortest ladder every
// 3 to 8 s, now and then a chat line; seat 1 starts a game to 300 after each.
class Player
{
public:
    Player(std::uint16_t port, int table, Counts &counts) : m_client(port), m_table(table), m_counts(counts)
    {
        m_client.onMessage = [this](const std::string &m) { received(m); };
        m_word.setSingleShot(true);
        QObject::connect(&m_word, &QTimer::timeout, &m_client.socket, [this] { sendNextWord(); });
        m_chat.setSingleShot(true);
        QObject::connect(&m_chat, &QTimer::timeout, &m_client.socket, [this] { chat(); });
    }
    bool seated() const { return m_client.seat != 0; }
    void stop()
    {
        m_word.stop();
        m_chat.stop();
        m_ladder.clear();
    }
    void login()
    {
        m_client.send(zz::wire::loginInfo(m_client.seat, "1.0.2", "T" + std::to_string(m_table) + "P"
                                                                        + std::to_string(m_client.seat)));
        m_chat.start(delay(20000, 60000));
    }
    void startGame()
    {
        if (m_client.seat == 1)
            m_client.send(zz::wire::startGameRequest("T" + std::to_string(m_table), "300", "120", true, true, true));
    }

private:
    static int delay(int from, int to) { return from + int(QRandomGenerator::global()->bounded(to - from)); }

    void received(const std::string &m)
    {
        const int seat = m_client.seat;
        if (startsWith(m, "CMD_roundstart+")) {
            const auto round = zz::wire::parseRoundStart(m.substr(15));
            m_ladder.clear();
            if (round)
                for (const std::string &w : zz::builtinLadderSolver().shortestLadder(round->start, round->end))
                    m_ladder.push_back(QString::fromStdString(w).toLower().toStdString());
            if (!m_ladder.empty())
                m_ladder.pop_front(); // the start word is on the board already
            if (seat == 1)
                ++m_counts.rounds;
            m_word.start(delay(3000, 8000));
        } else if (startsWith(m, "CMD_goodword+" + std::to_string(seat) + "+")
                   || startsWith(m, "CMD_invalidword+" + std::to_string(seat) + "+")) {
            ++m_counts.wordsJudged;
            m_word.start(delay(3000, 8000));
        } else if (startsWith(m, "CMD_completed+" + std::to_string(seat) + "+") || startsWith(m, "CMD_timeup")) {
            m_ladder.clear();
            m_word.stop();
        } else if (startsWith(m, "CMD_chat+") && m.find(" bench ") != std::string::npos) {
            ++m_counts.chatsRelayed;
        } else if (startsWith(m, "CMD_winner+") && seat == 1) {
            ++m_counts.games;
            QTimer::singleShot(3000, &m_client.socket, [this] { startGame(); });
        }
    }
    void sendNextWord()
    {
        if (m_ladder.empty())
            return;
        m_client.send(zz::wire::sendWord(m_client.seat, m_ladder.front()));
        m_ladder.pop_front();
        ++m_counts.wordsSent;
    }
    void chat()
    {
        m_client.send(zz::wire::chatRequest(m_client.seat, "bench " + std::to_string(m_chats++), "clBlack"));
        ++m_counts.chatsSent;
        m_counts.chatsExpected += Seats; // every player, the sender too
        m_chat.start(delay(20000, 60000));
    }

    Client m_client;
    int m_table;
    Counts &m_counts;
    std::deque<std::string> m_ladder;
    QTimer m_word, m_chat;
    int m_chats = 0;
};

long pssKiB(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLong();
    return 0;
}

} // namespace

int runTables(const char *game, int tables, double minutes)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    std::vector<std::uint16_t> ports;
    for (int t = 0; t < tables; ++t) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment([] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("AGONES_SDK_HTTP_PORT"));
            return env;
        }());
        p->start(QString::fromLocal8Bit(game), {QStringLiteral("--serve"), QStringLiteral("--port"), QStringLiteral("0")});
        QByteArray out;
        if (!runUntil([&] { out += p->readAllStandardOutput(); return out.contains("players join"); }, 20000)) {
            std::fprintf(stderr, "table %d did not start\n", t);
            return 1;
        }
        const int at = out.indexOf("serving on port ");
        ports.push_back(std::uint16_t(out.mid(at + 16, out.indexOf('\n', at) - at - 16).toInt()));
        processes.push_back(std::move(p));
    }
    Counts counts;
    std::vector<std::unique_ptr<Player>> players;
    for (int t = 0; t < tables; ++t)
        for (int s = 0; s < Seats; ++s) {
            players.push_back(std::make_unique<Player>(ports[std::size_t(t)], t, counts));
            Player &p = *players.back();
            if (!runUntil([&] { return p.seated(); }, 10000)) {
                std::fprintf(stderr, "a player of table %d got no seat\n", t);
                return 1;
            }
            p.login();
        }
    runFor(1000);
    for (auto &p : players)
        p->startGame();
    runFor(5000); // past the start, into play

    std::vector<double> cpuBefore;
    for (auto &p : processes)
        cpuBefore.push_back(processUse(pid_t(p->processId())).cpuMs);
    QElapsedTimer clock;
    clock.start();
    runFor(int(minutes * 60000));
    const double playedMinutes = double(clock.elapsed()) / 60000.0;
    double cpuMs = 0;
    long pss = 0, pssMax = 0;
    for (std::size_t i = 0; i < processes.size(); ++i) {
        cpuMs += processUse(pid_t(processes[i]->processId())).cpuMs - cpuBefore[i];
        const long kib = pssKiB(processes[i]->processId());
        pss += kib;
        pssMax = std::max(pssMax, kib);
    }
    // Let what is on its way arrive before counting.
    for (auto &p : players)
        p->stop();
    runFor(3000);
    for (auto &p : processes)
        p->terminate();

    std::printf("tables %d, %d players each, %.1f min of play\n", tables, Seats, playedMinutes);
    std::printf("  PSS per table        %7.2f MiB mean, %.2f MiB largest\n", double(pss) / tables / 1024.0,
                double(pssMax) / 1024.0);
    std::printf("  CPU per table-minute %7.1f ms (%.3f %% of one core)\n", cpuMs / tables / playedMinutes,
                cpuMs / tables / playedMinutes / 600.0);
    std::printf("  words sent %ld, judged %ld; chat lines %ld, relayed %ld of %ld; rounds %ld, games won %ld\n",
                counts.wordsSent, counts.wordsJudged, counts.chatsSent, counts.chatsRelayed, counts.chatsExpected,
                counts.rounds, counts.games);
    const bool whole = counts.wordsJudged == counts.wordsSent && counts.chatsRelayed == counts.chatsExpected;
    std::printf("  %s\n", whole ? "nothing dropped" : "SOMETHING WAS DROPPED");
    for (auto &p : processes)
        p->waitForFinished(5000);
    return whole ? 0 : 1;
}

} // namespace bench
