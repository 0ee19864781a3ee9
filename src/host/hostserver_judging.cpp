// Word judging, scoring and the round end.
#include "host/hostserver.h"

#include "core/names.h"
#include "dict/dictionary.h"

#include <vector>

namespace zz {

void HostServer::sendWord(int fromSeat, std::string_view args)
{
    const std::optional<wire::SendWord> request = wire::parseSendWord(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdSendWord);
    if (!speaksFor(fromSeat, request->seat) || !m_clock.running() || !isPlayerSeat(request->seat))
        return;
    const int seat = request->seat;
    const std::string &word = request->word;
    if (m_seats.finished(seat))
        return;

    auto refuse = [&](wire::Refusal code) { sendTo(seat, wire::invalidWord(seat, word, code)); };
    if (m_ladders.full(seat)) {
        m_seats.finish(seat);
        refuse(wire::Refusal::LadderFull);
        return;
    }
    // The order of the checks decides the one code a bad word gets.
    if (word.size() != m_ladders.startWord().size())
        return refuse(wire::Refusal::WrongLength);
    if (!m_dictionary.isWord(word))
        return refuse(wire::Refusal::NotAWord);
    if (!changesOneLetter(m_ladders.lastWord(seat), word))
        return refuse(wire::Refusal::NotOneLetter);

    const bool reachedEnd = m_ladders.addWord(seat, word);
    sendTo(seat, wire::goodWord(seat, m_ladders.lastWord(seat), m_ladders.wordCount(seat)));
    if (reachedEnd)
        completeLadder(seat);
    if (m_ladders.full(seat))
        m_seats.finish(seat);
    if (m_seats.finished(seat) && !m_seats.anyStillPlaying())
        endRound();
}

void HostServer::completeLadder(int seat)
{
    m_ladders.complete(seat, m_clock.elapsedSeconds());
    m_seats.finish(seat);
    broadcast(wire::completed(seat, m_ladders.wordCount(seat)));
}

void HostServer::endRound()
{
    stopClock(); // no word counts once the results are out
    std::vector<wire::ScoreLine> lines;
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        if (!m_seats.inUse(seat))
            continue;
        m_seats.addToScore(seat, m_ladders.points(seat));
        lines.push_back(m_ladders.scoreLine(seat, m_seats.score(seat)));
    }
    broadcast(wire::postScores(lines));

    if (const auto boxes = m_ladders.firstFinisherBoxes(); !boxes.empty())
        broadcast(wire::addCorrect(m_ladders.firstFinisher(), boxes));
    Q_EMIT roundEnded(m_round);
    startPauseClock();
}

} // namespace zz
