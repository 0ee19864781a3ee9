#include "daily/dailygame.h"

#include "core/asciitext.h"
#include "dict/dictionary.h"

#include <algorithm>

namespace zz {

namespace {

std::string trimmedUpper(std::string_view word)
{
    const std::size_t first = word.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = word.find_last_not_of(" \t");
    return toUpperAscii(word.substr(first, last - first + 1));
}

int lettersChanged(std::string_view a, std::string_view b)
{
    int changed = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        changed += a[i] != b[i] ? 1 : 0;
    return changed;
}

} // namespace

DailyGame::DailyGame(DailyPuzzle puzzle, const Dictionary &dictionary)
    : m_puzzle(std::move(puzzle)), m_dictionary(dictionary)
{
}

RungVerdict DailyGame::submit(std::string_view typed)
{
    if (m_state != State::Playing)
        return RungVerdict::Finished;
    const std::string word = trimmedUpper(typed);
    if (word.empty())
        return RungVerdict::Empty;
    if (word.size() != m_puzzle.start.size())
        return RungVerdict::WrongLength;
    if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; })
        || !m_dictionary.isWord(word))
        return RungVerdict::NotAWord;
    if (word == m_puzzle.start || std::find(m_rungs.begin(), m_rungs.end(), word) != m_rungs.end())
        return RungVerdict::AlreadyUsed;
    if (lettersChanged(word, lastWord()) != 1)
        return RungVerdict::ChangesMoreThanOne;
    if (m_rungs.size() >= MaxRungs && word != m_puzzle.end)
        return RungVerdict::LadderFull;
    m_rungs.push_back(word);
    if (word == m_puzzle.end)
        m_state = State::Solved;
    return RungVerdict::Taken;
}

bool DailyGame::undo()
{
    if (m_state != State::Playing || m_rungs.empty())
        return false;
    m_rungs.pop_back();
    return true;
}

void DailyGame::startOver()
{
    if (m_state == State::Playing)
        m_rungs.clear();
}

void DailyGame::giveUp()
{
    if (m_state == State::Playing)
        m_state = State::GaveUp;
}

void DailyGame::replay(const std::vector<std::string> &rungs)
{
    for (const std::string &rung : rungs)
        if (submit(rung) != RungVerdict::Taken)
            return;
}

std::string verdictText(RungVerdict verdict, std::string_view typed, const DailyGame &game)
{
    const std::string word = trimmedUpper(typed);
    const std::string length = std::to_string(game.puzzle().start.size());
    switch (verdict) {
    case RungVerdict::Taken:
        return {};
    case RungVerdict::Empty:
        return "Type a word of " + length + " letters first.";
    case RungVerdict::NotAWord:
        return word + " is not a word.";
    case RungVerdict::WrongLength:
        return word + " is not the right length: the words here have " + length + " letters.";
    case RungVerdict::AlreadyUsed:
        return word + " is already used in this ladder.";
    case RungVerdict::ChangesMoreThanOne:
        return word + " changes more than one letter of " + game.lastWord() + ".";
    case RungVerdict::LadderFull:
        return "The ladder is full: undo a rung or start over.";
    case RungVerdict::Finished:
        return "This puzzle is over.";
    }
    return {};
}

std::vector<bool> lettersInPlace(std::string_view word, std::string_view end)
{
    std::vector<bool> marks(word.size(), false);
    for (std::size_t i = 0; i < word.size() && i < end.size(); ++i)
        marks[i] = toUpperAscii(word[i]) == toUpperAscii(end[i]);
    return marks;
}

std::string shareText(const DailyGame &game)
{
    const DailyPuzzle &puzzle = game.puzzle();
    std::string text = "Zig Zop Daily #" + std::to_string(puzzle.number) + " \xC2\xB7 ";
    if (game.state() == DailyGame::State::Solved)
        text += std::to_string(game.steps()) + (game.steps() == 1 ? " step" : " steps");
    else
        text += "not solved";
    text += " (par " + std::to_string(puzzle.par) + ")\n";
    for (const std::string &rung : game.rungs()) {
        for (const bool inPlace : lettersInPlace(rung, puzzle.end))
            text += inPlace ? "\xF0\x9F\x9F\xA9" : "\xE2\xAC\x9C";   // green square, white square
        text += '\n';
    }
    return text;
}

} // namespace zz
