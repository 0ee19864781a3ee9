#include "bot/botphrases.h"

#include "core/names.h"

#include <array>

namespace zz {

namespace {

// "Way To Go!", "Good One!", "Excellent!", "Brilliant!", "Wow, WTG!"
constexpr std::array<int, 5> Praise = {0, 1, 3, 4, 5};
constexpr int GoodGame = 8;   // "Good Game Everyone!"

} // namespace

std::optional<std::string_view> PhraseHabit::react(Occasion occasion, BotRandom &random)
{
    if (m_said)
        return std::nullopt;
    const bool gameOver = occasion == Occasion::GameOver;
    std::bernoulli_distribution now(gameOver ? GameOverChance : OtherCompletedChance);
    if (!now(random))
        return std::nullopt;
    m_said = true;
    if (gameOver)
        return BuiltInPhrases[GoodGame];
    std::uniform_int_distribution<std::size_t> which(0, Praise.size() - 1);
    return BuiltInPhrases[Praise[which(random)]];
}

} // namespace zz
