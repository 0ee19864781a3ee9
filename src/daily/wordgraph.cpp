#include "daily/wordgraph.h"

#include "core/asciitext.h"

#include <algorithm>
#include <deque>
#include <map>

namespace zz {

WordGraph::WordGraph(const std::vector<std::string> &words, std::size_t length)
{
    for (const std::string &word : words)
        if (word.size() == length)
            m_words.push_back(toUpperAscii(word));
    std::sort(m_words.begin(), m_words.end());
    m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
    std::map<std::string, std::vector<int>> groups;   // the word with one letter blanked
    for (std::size_t i = 0; i < m_words.size(); ++i)
        for (std::size_t p = 0; p < length; ++p) {
            std::string key = m_words[i];
            key[p] = '_';
            groups[key].push_back(static_cast<int>(i));
        }
    m_neighbours.resize(m_words.size());
    for (const auto &[key, members] : groups)
        for (const int a : members)
            for (const int b : members)
                if (a != b)
                    m_neighbours[static_cast<std::size_t>(a)].push_back(b);
    for (std::vector<int> &list : m_neighbours)
        std::sort(list.begin(), list.end());
}

int WordGraph::find(std::string_view word) const
{
    const std::string upper = toUpperAscii(word);
    const auto at = std::lower_bound(m_words.begin(), m_words.end(), upper);
    return at != m_words.end() && *at == upper ? static_cast<int>(at - m_words.begin()) : -1;
}

std::vector<int> WordGraph::distancesFrom(int index) const
{
    std::vector<int> distance(m_words.size(), -1);
    std::deque<int> queue{index};
    distance[static_cast<std::size_t>(index)] = 0;
    while (!queue.empty()) {
        const int word = queue.front();
        queue.pop_front();
        for (const int next : m_neighbours[static_cast<std::size_t>(word)])
            if (distance[static_cast<std::size_t>(next)] < 0) {
                distance[static_cast<std::size_t>(next)] = distance[static_cast<std::size_t>(word)] + 1;
                queue.push_back(next);
            }
    }
    return distance;
}

WordGraph::Reach WordGraph::reach(std::string_view from, std::string_view to, int cap) const
{
    const int a = find(from);
    const int b = find(to);
    if (a < 0 || b < 0)
        return {};
    const std::vector<int> distance = distancesFrom(b);
    if (distance[static_cast<std::size_t>(a)] < 0)
        return {};
    // Ladders from each word to `to`, counted in order of distance.
    std::vector<int> order;
    for (std::size_t i = 0; i < m_words.size(); ++i)
        if (distance[i] >= 0 && distance[i] <= distance[static_cast<std::size_t>(a)])
            order.push_back(static_cast<int>(i));
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        return distance[static_cast<std::size_t>(x)] < distance[static_cast<std::size_t>(y)];
    });
    std::vector<int> count(m_words.size(), 0);
    count[static_cast<std::size_t>(b)] = 1;
    for (const int word : order)
        for (const int next : m_neighbours[static_cast<std::size_t>(word)])
            if (distance[static_cast<std::size_t>(next)] == distance[static_cast<std::size_t>(word)] - 1)
                count[static_cast<std::size_t>(word)] =
                    std::min(cap, count[static_cast<std::size_t>(word)] + count[static_cast<std::size_t>(next)]);
    return {distance[static_cast<std::size_t>(a)], count[static_cast<std::size_t>(a)]};
}

std::vector<std::vector<std::string>> WordGraph::shortestLadders(std::string_view from, std::string_view to,
                                                                 std::size_t limit) const
{
    std::vector<std::vector<std::string>> ladders;
    const int a = find(from);
    const int b = find(to);
    if (a < 0 || b < 0 || limit == 0)
        return ladders;
    const std::vector<int> distance = distancesFrom(b);
    if (distance[static_cast<std::size_t>(a)] < 0)
        return ladders;
    // Depth first along words one step nearer the end: every path found is shortest.
    std::vector<int> path{a};
    auto walk = [&](auto &&self) -> void {
        const int word = path.back();
        if (word == b) {
            std::vector<std::string> ladder;
            for (const int i : path)
                ladder.push_back(m_words[static_cast<std::size_t>(i)]);
            ladders.push_back(std::move(ladder));
            return;
        }
        for (const int next : m_neighbours[static_cast<std::size_t>(word)]) {
            if (ladders.size() >= limit)
                return;
            if (distance[static_cast<std::size_t>(next)] != distance[static_cast<std::size_t>(word)] - 1)
                continue;
            path.push_back(next);
            self(self);
            path.pop_back();
        }
    };
    walk(walk);
    return ladders;
}

} // namespace zz
