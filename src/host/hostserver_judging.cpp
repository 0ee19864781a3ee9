// Word judging, scoring, the round end and the winner check.
#include "host/hostserver.h"

#include "core/names.h"
#include "dict/dictionary.h"

#include <QTimer>

#include <cstdint>
#include <vector>

namespace zz {

namespace {

constexpr int PauseSeconds = 15;

enum RefusalCode { WrongLength = 1, NotAWord = 2, NotOneLetter = 3, LadderFull = 4 };

} // namespace

void HostServer::sendWord(int fromSeat, std::string_view args)
{
    const std::optional<int> seat = seatFieldOf(fromSeat, wire::takeField(args), wire::CmdSendWord);
    if (!seat || m_clockPurpose != ClockPurpose::Running || !isPlayerSeat(*seat))
        return;
    const std::string_view word = wire::takeField(args);
    Seat &s = m_seats[*seat];
    if (s.finished)
        return;

    auto refuse = [&](RefusalCode code) { sendTo(*seat, wire::invalidWord(*seat, word, code)); };
    if (m_ladders.full(*seat)) {
        s.finished = true;
        refuse(LadderFull);
        return;
    }
    // The order of the checks decides the one code a bad word gets.
    if (word.size() != m_ladders.startWord().size())
        return refuse(WrongLength);
    if (!m_dictionary.isWord(word))
        return refuse(NotAWord);
    if (!changesOneLetter(m_ladders.lastWord(*seat), word))
        return refuse(NotOneLetter);

    const bool reachedEnd = m_ladders.addWord(*seat, word);
    sendTo(*seat, wire::goodWord(*seat, m_ladders.lastWord(*seat), m_ladders.wordCount(*seat)));
    if (reachedEnd)
        completeLadder(*seat);
    if (m_ladders.full(*seat))
        s.finished = true;
    if (s.finished && !anySeatStillPlaying())
        endRound();
}

void HostServer::completeLadder(int seat)
{
    m_ladders.complete(seat, std::int64_t{m_timePerTurn} - m_clockCounter);
    m_seats[seat].finished = true;
    broadcast(wire::completed(seat, m_ladders.wordCount(seat)));
}

// A watching seat, a seat that left and a finished seat never hold up the round.
bool HostServer::anySeatStillPlaying() const
{
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        const Seat &s = m_seats[seat];
        if (s.inUse && !s.watching && !s.finished)
            return true;
    }
    return false;
}

void HostServer::endRound()
{
    m_clockPurpose = ClockPurpose::Idle;
    std::vector<wire::ScoreLine> lines;
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        Seat &s = m_seats[seat];
        if (!s.inUse)
            continue;
        s.score += m_ladders.points(seat);
        lines.push_back(m_ladders.scoreLine(seat, s.score));
    }
    broadcast(wire::postScores(lines));

    if (const auto boxes = m_ladders.firstFinisherBoxes(); !boxes.empty())
        broadcast(wire::addCorrect(m_ladders.firstFinisher(), boxes));
    Q_EMIT roundEnded(m_round);
    startClock(ClockPurpose::Pause, PauseSeconds);
}

bool HostServer::checkForWin()
{
    std::array<int, PlayerSeatCount> scores{};
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        scores[seat - 1] = m_seats[seat].score;
    const int leader = findWinner(scores, m_playTo);
    if (leader == 0)
        return false;
    const Seat &s = m_seats[leader];
    const std::string &name = s.name.empty() ? s.fallbackName : s.name;
    broadcast(wire::winner(name));
    m_gameInProgress = false;
    m_clockPurpose = ClockPurpose::Idle;
    m_turnClock->stop();
    Q_EMIT winnerDeclared(name);
    return true;
}

} // namespace zz
