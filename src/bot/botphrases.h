#pragma once
// When a computer player presses a phrase button: now and then, when
// somebody else completes a ladder or the game ends, and never more than once
// a round. Plain C++: no Qt.
#include "bot/pacemodel.h"

#include <optional>
#include <string_view>

namespace zz {

class PhraseHabit
{
public:
    enum class Occasion { OtherCompleted, GameOver };

    static constexpr double OtherCompletedChance = 0.04;
    static constexpr double GameOverChance = 0.25;

    void newRound() { m_said = false; }
    // One of the built-in phrases to say now, or nullopt: not this time, or
    // one was said this round already.
    std::optional<std::string_view> react(Occasion occasion, BotRandom &random);

private:
    bool m_said = false;
};

} // namespace zz
