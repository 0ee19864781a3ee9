#include "dict/laddersolver.h"

#include "core/asciitext.h"
#include "dict/dictionary.h"

#include <algorithm>
#include <numeric>

namespace zz {

// The words of one length and, for each letter position, the words grouped by
// everything but that letter: a word's neighbours are the other members of
// its groups, found without scanning the list.
class LadderSolver::Graph
{
public:
    Graph(const Dictionary &dictionary, std::size_t length)
    {
        for (std::size_t i = 0; i < dictionary.recordCount(); ++i)
            if (const std::string_view word = dictionary.wordAt(i); word.size() == length)
                m_words.push_back(toUpperAscii(word));
        std::sort(m_words.begin(), m_words.end());
        m_words.erase(std::unique(m_words.begin(), m_words.end()), m_words.end());
        for (std::size_t position = 0; position < length; ++position)
            groupBy(position);
    }

    // The index of a word, or -1 when it is not in the list.
    int find(const std::string &word) const
    {
        const auto at = std::lower_bound(m_words.begin(), m_words.end(), word);
        return at != m_words.end() && *at == word ? static_cast<int>(at - m_words.begin()) : -1;
    }

    const std::string &word(int index) const { return m_words[static_cast<std::size_t>(index)]; }
    int size() const { return static_cast<int>(m_words.size()); }

    template <typename Visit>
    void forEachNeighbour(int index, Visit &&visit) const
    {
        for (const Position &p : m_positions) {
            const auto [begin, end] = p.groups[static_cast<std::size_t>(p.groupOf[static_cast<std::size_t>(index)])];
            for (int k = begin; k < end; ++k)
                if (const int other = p.order[static_cast<std::size_t>(k)]; other != index)
                    visit(other);
        }
    }

private:
    struct Position
    {
        std::vector<int> order;                  // word indexes sorted by the word without this letter
        std::vector<int> groupOf;                // per word: its group
        std::vector<std::pair<int, int>> groups; // per group: its range in order
    };

    void groupBy(std::size_t position)
    {
        Position p;
        const auto n = m_words.size();
        p.order.resize(n);
        std::iota(p.order.begin(), p.order.end(), 0);
        auto sameBut = [&](int a, int b) { return compareBut(position, a, b) == 0; };
        std::sort(p.order.begin(), p.order.end(), [&](int a, int b) { return compareBut(position, a, b) < 0; });
        p.groupOf.resize(n);
        for (std::size_t k = 0; k < n;) {
            std::size_t end = k + 1;
            while (end < n && sameBut(p.order[k], p.order[end]))
                ++end;
            for (std::size_t j = k; j < end; ++j)
                p.groupOf[static_cast<std::size_t>(p.order[j])] = static_cast<int>(p.groups.size());
            p.groups.emplace_back(static_cast<int>(k), static_cast<int>(end));
            k = end;
        }
        m_positions.push_back(std::move(p));
    }

    int compareBut(std::size_t position, int a, int b) const
    {
        const std::string_view x = m_words[static_cast<std::size_t>(a)];
        const std::string_view y = m_words[static_cast<std::size_t>(b)];
        if (const int head = x.substr(0, position).compare(y.substr(0, position)); head != 0)
            return head;
        return x.substr(position + 1).compare(y.substr(position + 1));
    }

    std::vector<std::string> m_words;
    std::vector<Position> m_positions;
};

namespace {

constexpr int Unseen = -1;

// Breadth-first from both ends, one whole level of the smaller side at a
// time: the first word reached from both sides lies on a shortest ladder.
template <typename Graph>
std::vector<int> shortestPath(const Graph &graph, int from, int to)
{
    if (from == to)
        return {from};
    std::vector<int> parent[2] = {std::vector<int>(static_cast<std::size_t>(graph.size()), Unseen),
                                  std::vector<int>(static_cast<std::size_t>(graph.size()), Unseen)};
    std::vector<int> frontier[2] = {{from}, {to}};
    parent[0][static_cast<std::size_t>(from)] = from;
    parent[1][static_cast<std::size_t>(to)] = to;
    int meeting = Unseen;
    while (meeting == Unseen && !frontier[0].empty() && !frontier[1].empty()) {
        const int side = frontier[0].size() <= frontier[1].size() ? 0 : 1;
        std::vector<int> next;
        for (const int word : frontier[side]) {
            graph.forEachNeighbour(word, [&](int other) {
                if (meeting != Unseen || parent[side][static_cast<std::size_t>(other)] != Unseen)
                    return;
                parent[side][static_cast<std::size_t>(other)] = word;
                if (parent[1 - side][static_cast<std::size_t>(other)] != Unseen)
                    meeting = other;
                next.push_back(other);
            });
            if (meeting != Unseen)
                break;
        }
        frontier[side] = std::move(next);
    }
    if (meeting == Unseen)
        return {};
    std::vector<int> path;
    for (int w = meeting; w != from; w = parent[0][static_cast<std::size_t>(w)])
        path.push_back(w);
    path.push_back(from);
    std::reverse(path.begin(), path.end());
    for (int w = meeting; w != to;) {
        w = parent[1][static_cast<std::size_t>(w)];
        path.push_back(w);
    }
    return path;
}

} // namespace

LadderSolver::LadderSolver(const Dictionary &dictionary) : m_dictionary(dictionary) {}

LadderSolver::~LadderSolver() = default;

const LadderSolver::Graph *LadderSolver::graphFor(std::size_t length) const
{
    if (length < MinLength || length > MaxLength)
        return nullptr;
    if (!m_graphs[length])
        m_graphs[length] = std::make_unique<Graph>(m_dictionary, length);
    return m_graphs[length].get();
}

std::vector<std::string> LadderSolver::shortestLadder(std::string_view from, std::string_view to) const
{
    if (from.size() != to.size())
        return {};
    const Graph *graph = graphFor(from.size());
    if (!graph)
        return {};
    const int start = graph->find(toUpperAscii(from));
    const int end = graph->find(toUpperAscii(to));
    if (start < 0 || end < 0)
        return {};
    std::vector<std::string> ladder;
    for (const int word : shortestPath(*graph, start, end))
        ladder.push_back(graph->word(word));
    return ladder;
}

std::optional<int> LadderSolver::distance(std::string_view from, std::string_view to) const
{
    const std::vector<std::string> ladder = shortestLadder(from, to);
    if (ladder.empty())
        return std::nullopt;
    return static_cast<int>(ladder.size()) - 1;
}

} // namespace zz
