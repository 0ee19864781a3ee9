#pragma once
// One round's ladders: the start and end word, each player seat's words (box
// 0 holds the start word), its bonuses and the first seat to finish. Plain
// C++: no Qt.
#include "core/names.h"
#include "core/wire.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zz {

class RoundLadders
{
public:
    static constexpr int MaxWords = 20;
    static constexpr int CompletionBonus = 50;

    // A new round: every ladder empty, no bonuses, nobody finished. The words
    // stay until setWords, so a round that cannot start keeps the last ones.
    void reset();
    // The start word also fills box 0 of every ladder.
    void setWords(std::string start, std::string end);
    const std::string &startWord() const { return m_startWord; }
    const std::string &endWord() const { return m_endWord; }

    // Seats outside 1..6 hold no ladder: 0 words, the start word last.
    int wordCount(int seat) const;
    bool full(int seat) const { return wordCount(seat) >= MaxWords; }
    const std::string &lastWord(int seat) const;
    // Adds a word, in lower case, to a ladder that is not full. Returns true
    // when it is the end word.
    bool addWord(int seat, std::string_view word);
    // Scores a ladder that reached the end word x seconds after the round's
    // first four; the first seat to get here is the first finisher.
    void complete(int seat, std::int64_t x);
    // The points a seat's score gains at the round's end.
    int points(int seat) const;
    wire::ScoreLine scoreLine(int seat, int score) const;
    int firstFinisher() const { return m_firstFinisher; }
    // The first finisher's filled boxes 1..20 as (box, word); empty when
    // nobody finished.
    std::vector<std::pair<int, std::string>> firstFinisherBoxes() const;

private:
    struct Ladder
    {
        std::array<std::string, MaxWords + 1> boxes{};
        int wordCount = 0;
        int timeBonus = 0;
        int emptyBoxBonus = 0;
        int completionBonus = 0;
    };

    const Ladder *ladder(int seat) const { return isBoardSeat(seat) ? &m_ladders[seat] : nullptr; }

    std::string m_startWord;
    std::string m_endWord;
    std::array<Ladder, PlayerSeatCount + 1> m_ladders{}; // 0 unused
    int m_firstFinisher = 0;
};

} // namespace zz
