#pragma once
// The round words: lower-case words of three to five letters, one per line.
// Plain C++: no Qt.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

class WordPool
{
public:
    WordPool() = default;
    // Takes one word per line; blank lines are skipped.
    explicit WordPool(std::string_view text);

    std::size_t size() const { return m_words.size(); }
    bool empty() const { return m_words.empty(); }
    const std::string &at(std::size_t index) const { return m_words.at(index); }

private:
    std::vector<std::string> m_words;
};

} // namespace zz
