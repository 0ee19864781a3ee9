#pragma once
// Small dictionaries built in memory.
#include <algorithm>
#include <string>
#include <vector>

namespace zz::test {

// Records as the word-list tool writes them: marker, capitals, padded, sorted.
inline std::string recordsOf(std::vector<std::string> words)
{
    for (auto &w : words) {
        w.resize(14, ' ');
        std::transform(w.begin(), w.end(), w.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    }
    std::sort(words.begin(), words.end());
    std::string records;
    for (const auto &w : words)
        records += '\x1e' + w;
    return records;
}

} // namespace zz::test
