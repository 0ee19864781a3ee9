#include "host/roundladders.h"

#include "host/scoring.h"

namespace zz {

void RoundLadders::reset()
{
    m_ladders.fill({});
    m_firstFinisher = 0;
}

void RoundLadders::setWords(std::string start, std::string end)
{
    m_startWord = std::move(start);
    m_endWord = std::move(end);
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        m_ladders[seat].boxes[0] = m_startWord;
}

int RoundLadders::wordCount(int seat) const
{
    const Ladder *l = ladder(seat);
    return l ? l->wordCount : 0;
}

const std::string &RoundLadders::lastWord(int seat) const
{
    const Ladder *l = ladder(seat);
    return l ? l->boxes[l->wordCount] : m_startWord;
}

bool RoundLadders::addWord(int seat, std::string_view word)
{
    if (!isBoardSeat(seat) || full(seat))
        return false;
    Ladder &l = m_ladders[seat];
    ++l.wordCount;
    l.boxes[l.wordCount] = toLowerAscii(word);
    return l.boxes[l.wordCount] == toLowerAscii(m_endWord);
}

void RoundLadders::complete(int seat, std::int64_t x)
{
    if (!isBoardSeat(seat))
        return;
    Ladder &l = m_ladders[seat];
    l.timeBonus = timeBonus(x);
    l.emptyBoxBonus = emptyBoxBonus(l.wordCount);
    l.completionBonus = CompletionBonus;
    if (m_firstFinisher == 0)
        m_firstFinisher = seat;
}

int RoundLadders::points(int seat) const
{
    // The completion bonus is shown with the results but never counted.
    const Ladder *l = ladder(seat);
    return l ? l->emptyBoxBonus + l->timeBonus : 0;
}

wire::ScoreLine RoundLadders::scoreLine(int seat, int score) const
{
    wire::ScoreLine line;
    line.seat = seat;
    line.score = score;
    if (const Ladder *l = ladder(seat)) {
        line.completion = l->completionBonus;
        line.emptyBoxes = l->emptyBoxBonus;
        line.timeBonus = l->timeBonus;
        line.words = l->wordCount;
    }
    return line;
}

std::vector<std::pair<int, std::string>> RoundLadders::firstFinisherBoxes() const
{
    std::vector<std::pair<int, std::string>> boxes;
    if (const Ladder *first = ladder(m_firstFinisher))
        for (int box = 1; box <= MaxWords; ++box)
            if (!first->boxes[box].empty())
                boxes.emplace_back(box, first->boxes[box]);
    return boxes;
}

} // namespace zz
