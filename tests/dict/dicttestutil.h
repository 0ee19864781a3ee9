#pragma once
// Small record sets built in memory, and a private directory for working files.
#include <algorithm>
#include <filesystem>
#include <random>
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

class ScratchDir
{
public:
    ScratchDir()
        : m_path(std::filesystem::temp_directory_path() / ("zz-dict-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() { std::filesystem::remove_all(m_path); }
    std::filesystem::path file(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace zz::test
