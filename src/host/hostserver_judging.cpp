// Word judging, scoring, the round end and the winner check.
#include "host/hostserver.h"

#include "core/names.h"
#include "dict/dictionary.h"

#include <QTimer>

#include <cstdint>
#include <vector>

namespace zz {

namespace {

constexpr int MaxLadderWords = 20;
constexpr int CompletionBonus = 50;
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
    if (s.wordCount >= MaxLadderWords) {
        s.finished = true;
        refuse(LadderFull);
        return;
    }
    // The order of the checks decides the one code a bad word gets.
    if (word.size() != m_startWord.size())
        return refuse(WrongLength);
    if (!m_dictionary.isWord(word))
        return refuse(NotAWord);
    if (!changesOneLetter(s.ladder[s.wordCount], word))
        return refuse(NotOneLetter);

    ++s.wordCount;
    s.ladder[s.wordCount] = toLowerAscii(word);
    sendTo(*seat, wire::goodWord(*seat, s.ladder[s.wordCount], s.wordCount));
    if (s.ladder[s.wordCount] == toLowerAscii(m_endWord))
        completeLadder(*seat);
    if (s.wordCount >= MaxLadderWords)
        s.finished = true;
    if (s.finished && !anySeatStillPlaying())
        endRound();
}

void HostServer::completeLadder(int seat)
{
    Seat &s = m_seats[seat];
    s.timeBonus = timeBonus(std::int64_t{m_timePerTurn} - m_clockCounter);
    s.emptyBoxBonus = emptyBoxBonus(s.wordCount);
    s.completionBonus = CompletionBonus;
    s.finished = true;
    if (m_firstFinisher == 0)
        m_firstFinisher = seat;
    broadcast(wire::completed(seat, s.wordCount));
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
        // The completion bonus is shown with the results but never counted.
        s.score += s.emptyBoxBonus + s.timeBonus;
        lines.push_back({seat, s.score, s.completionBonus, s.emptyBoxBonus, s.timeBonus, s.wordCount});
    }
    broadcast(wire::postScores(lines));

    if (m_firstFinisher != 0) {
        std::vector<std::pair<int, std::string>> boxes;
        const Seat &first = m_seats[m_firstFinisher];
        for (int box = 1; box <= MaxLadderWords; ++box)
            if (!first.ladder[box].empty())
                boxes.emplace_back(box, first.ladder[box]);
        if (!boxes.empty())
            broadcast(wire::addCorrect(m_firstFinisher, boxes));
    }
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
