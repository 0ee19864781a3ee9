#include "dict/dictionary.h"

#include <algorithm>
#include <array>
#include <climits>
#include <system_error>

namespace zz {

namespace {

constexpr std::size_t CompareWidth = 15;
constexpr std::size_t MaxWordLength = 255;

std::string trimmedWithoutZeros(std::string_view text)
{
    std::string s(text);
    std::replace(s.begin(), s.end(), '\0', ' ');
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Keys and records go through the same steps so that they compare as equals.
// A key longer than the width keeps its length and so never equals a record.
std::string normalised(std::string_view text, bool isRecord)
{
    std::string s = trimmedWithoutZeros(text);
    if (s.size() < CompareWidth)
        s.resize(CompareWidth, ' ');
    else if (isRecord && s.size() > CompareWidth)
        s.resize(CompareWidth);
    for (char &c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

} // namespace

Dictionary::Dictionary(std::string_view records, std::filesystem::path workFile)
    : m_workFile(std::move(workFile))
{
    if (records.empty() || records.size() % RecordSize != 0
        || records.size() > static_cast<std::size_t>(LONG_MAX))
        return;

    // "x": never open a file that is already there, whoever made it.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(m_workFile.string().c_str(), "w+bx"));
    if (!file)
        return;
    m_ownsWorkFile = true;

    const bool written = std::fwrite(records.data(), 1, records.size(), file.get()) == records.size()
        && std::fflush(file.get()) == 0;
    if (!written) {
        // A half-written list would answer wrongly; better to answer nothing.
        file.reset();
        removeWorkFile();
        return;
    }
    m_file = std::move(file);
    m_recordCount = records.size() / RecordSize;
}

Dictionary::~Dictionary()
{
    m_file.reset();
    removeWorkFile();
}

void Dictionary::removeWorkFile()
{
    if (!m_ownsWorkFile)
        return;
    m_ownsWorkFile = false;
    std::error_code ignored;
    std::filesystem::remove(m_workFile, ignored);
}

bool Dictionary::readWord(std::size_t index, std::string &word)
{
    std::array<char, RecordSize> record{};
    ++m_recordReads;
    if (std::fseek(m_file.get(), static_cast<long>(index * RecordSize), SEEK_SET) != 0
        || std::fread(record.data(), RecordSize, 1, m_file.get()) != 1) {
        std::clearerr(m_file.get());
        return false;
    }
    // The marker byte takes no part; the word field is followed by a zero byte.
    word.assign(record.data() + 1, RecordSize - 1);
    word.push_back('\0');
    return true;
}

bool Dictionary::isWord(std::string_view word)
{
    if (failed())
        return false;
    word = word.substr(0, MaxWordLength);
    if (trimmedWithoutZeros(word).empty())
        return false;
    const std::string key = normalised(word, false);

    // Signed, so that hi may fall below zero when the key sorts first.
    long long lo = 0;
    long long hi = static_cast<long long>(m_recordCount) - 1;
    std::string field;
    while (hi >= lo) {
        const long long mid = (lo + hi) / 2;
        if (!readWord(static_cast<std::size_t>(mid), field))
            return false;
        const int order = normalised(field, true).compare(key);
        if (order == 0)
            return true;
        if (order < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return false;
}

} // namespace zz
