#pragma once
// One play of a daily puzzle: the rungs typed so far, judged one at a time,
// undone, given up; and the text that shares the result without a word of
// it. Plain C++: no Qt.
#include "daily/schedule.h"

#include <string>
#include <string_view>
#include <vector>

namespace zz {

class Dictionary;

enum class RungVerdict { Taken, Empty, NotAWord, WrongLength, AlreadyUsed, ChangesMoreThanOne, LadderFull, Finished };

class DailyGame
{
public:
    enum class State { Playing, Solved, GaveUp };
    // More rungs than any sensible ladder: keeps the statistics file bounded.
    static constexpr std::size_t MaxRungs = 60;

    // The dictionary judges the rungs and must outlive the game.
    DailyGame(DailyPuzzle puzzle, const Dictionary &dictionary);

    // Judges a rung against the last word; a taken rung is added, and
    // reaching the end word solves the puzzle. Case and spaces around the
    // word do not matter.
    RungVerdict submit(std::string_view word);
    // Removes the last rung; false when there is none or the play is over.
    bool undo();
    void startOver();
    void giveUp();
    // Plays the rungs of a kept ladder again, stopping at the first refused.
    void replay(const std::vector<std::string> &rungs);

    const DailyPuzzle &puzzle() const { return m_puzzle; }
    // The words after the start word; the last is the end word once solved.
    const std::vector<std::string> &rungs() const { return m_rungs; }
    const std::string &lastWord() const { return m_rungs.empty() ? m_puzzle.start : m_rungs.back(); }
    State state() const { return m_state; }
    int steps() const { return static_cast<int>(m_rungs.size()); }

private:
    DailyPuzzle m_puzzle;
    const Dictionary &m_dictionary;
    std::vector<std::string> m_rungs;
    State m_state = State::Playing;
};

// The reason in plain words, such as "PEST is not a word."; word as typed,
// in capitals. Empty for a taken rung.
std::string verdictText(RungVerdict verdict, std::string_view word, const DailyGame &game);

// Per letter of word: true where it is the end word's letter in that place.
std::vector<bool> lettersInPlace(std::string_view word, std::string_view end);

// "Zig Zop Daily #342 · 6 steps (par 5)" and one line of squares per rung
// (green where the letter is in place, white otherwise), in UTF-8.
std::string shareText(const DailyGame &game);

} // namespace zz
