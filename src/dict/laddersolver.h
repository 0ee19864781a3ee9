#pragma once
// Shortest word ladders over the dictionary's words of one length: each step
// changes exactly one letter, and every word on the way is in the list.
// Plain C++: no Qt.
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

class Dictionary;

class LadderSolver
{
public:
    static constexpr std::size_t MinLength = 2;
    static constexpr std::size_t MaxLength = 14;

    // The dictionary must outlive the solver. Nothing is read until a length
    // is first asked for; then that length's words are indexed once.
    explicit LadderSolver(const Dictionary &dictionary);
    ~LadderSolver();
    LadderSolver(const LadderSolver &) = delete;
    LadderSolver &operator=(const LadderSolver &) = delete;

    // The words from `from` to `to`, both included, in capitals; a word equal
    // to the target gives a ladder of one word. Empty when there is no
    // ladder: different lengths, a length outside 2..14, or a word that is
    // not in the list. Case does not matter.
    std::vector<std::string> shortestLadder(std::string_view from, std::string_view to) const;
    // The number of steps of the shortest ladder (the words after the start
    // word), or nullopt when there is none.
    std::optional<int> distance(std::string_view from, std::string_view to) const;

private:
    class Graph;
    const Graph *graphFor(std::size_t length) const;

    const Dictionary &m_dictionary;
    mutable std::array<std::unique_ptr<Graph>, MaxLength + 1> m_graphs;
};

} // namespace zz
