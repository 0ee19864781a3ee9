#pragma once
// A computer player's round: its ladder as the host confirmed it and the
// choice of the next word. It knows what any player knows (the two words and
// the host's verdicts) and plans over its own dictionary. Plain C++: no Qt.
#include "bot/pacemodel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

class Dictionary;
class LadderSolver;

class BotMind
{
public:
    static constexpr int MaxWords = 20;     // the board's boxes after the start word
    static constexpr int MaxRefusals = 3;   // in one round; then it stops trying

    // The dictionary and the solver must outlive the mind.
    BotMind(const Dictionary &dictionary, const LadderSolver &solver);

    // A new round (or one joined late): the ladder holds the start word only.
    void startRound(std::string_view start, std::string_view end);
    // The host took a word as the count-th of the ladder: the ladder goes on from it.
    void accepted(std::string_view word, int count);
    // The host refused a word: it is not tried again this round. A full
    // ladder, or too many refusals, ends the round for this player.
    void refused(std::string_view word, bool ladderFull);
    // Stops playing this round (the clock ran out, or the seat stopped playing).
    void stop() { m_stopped = true; }

    // The next word: one letter from the last accepted one, in the dictionary,
    // never refused, and leaving a ladder to the end word that the boxes can
    // hold; a word already on the ladder only when nothing else leads on.
    // Usually a word one step closer (any of them); with the detour chance
    // one that brings it no closer. nullopt when the round is over for this
    // player or no word leads on.
    std::optional<std::string> nextWord(BotRandom &random, double detourChance) const;

    bool finished() const { return m_stopped || m_completed || m_wordCount >= MaxWords || m_end.empty(); }
    bool completed() const { return m_completed; }
    // True when the end word is one letter from the last word.
    bool oneStepLeft() const;
    int wordCount() const { return m_wordCount; }
    const std::string &lastWord() const { return m_last; }
    const std::string &endWord() const { return m_end; }

    // The dictionary's words one letter from word, lower case.
    std::vector<std::string> neighbours(const std::string &word) const;

private:
    struct Choice
    {
        std::string word;
        int stepsAfter = 0;   // from the word to the end word
    };
    // The words one letter from word that still fit the boxes; backtrack
    // allows words already on the ladder.
    std::vector<Choice> choicesFrom(const std::string &word, bool backtrack) const;
    bool refusedBefore(const std::string &word) const;
    bool avoided(const std::string &word) const;

    const Dictionary &m_dictionary;
    const LadderSolver &m_solver;
    std::string m_end;
    std::string m_last;
    std::vector<std::string> m_ladder;    // the start word and every accepted word
    std::vector<std::string> m_refused;
    int m_wordCount = 0;
    int m_refusals = 0;
    bool m_completed = false;
    bool m_stopped = false;
};

// True when the two words have the same length and differ in exactly one
// letter; case does not matter.
bool oneLetterApart(std::string_view a, std::string_view b);

} // namespace zz
