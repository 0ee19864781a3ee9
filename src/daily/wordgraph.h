#pragma once
// Words of one length joined where they differ in one letter: the shortest
// ladders between two of them, several at once. Plain C++: no Qt.
#include <string>
#include <string_view>
#include <vector>

namespace zz {

class WordGraph
{
public:
    // Keeps the words of `length` letters, in capitals; others are ignored.
    WordGraph(const std::vector<std::string> &words, std::size_t length);

    bool contains(std::string_view word) const { return find(word) >= 0; }
    // Up to `limit` different shortest ladders from `from` to `to`, both
    // included, in a fixed order; empty when either word is missing or they
    // are not joined.
    std::vector<std::vector<std::string>> shortestLadders(std::string_view from, std::string_view to,
                                                          std::size_t limit) const;
    // Steps of the shortest ladder, or -1; and how many shortest ladders
    // there are, counted up to `cap`.
    struct Reach
    {
        int steps = -1;
        int ladders = 0;
    };
    Reach reach(std::string_view from, std::string_view to, int cap) const;

private:
    int find(std::string_view word) const;
    std::vector<int> distancesFrom(int index) const;

    std::vector<std::string> m_words;           // sorted
    std::vector<std::vector<int>> m_neighbours; // per word
};

} // namespace zz
