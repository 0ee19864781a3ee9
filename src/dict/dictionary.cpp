#include "dict/dictionary.h"

#include <algorithm>
#include <array>
#include <optional>

namespace zz {

namespace {

constexpr std::size_t CompareWidth = 15;
constexpr std::size_t MaxWordLength = 255;
// Zero bytes count as blanks, on both sides of the comparison.
constexpr std::string_view Blanks("\0 ", 2);

using Field = std::array<char, CompareWidth>;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// Keys and records go through the same steps so that they compare as equals:
// trimmed, inner zero bytes made blanks, capitals, padded to the width. A key
// wider than that can equal no record.
std::optional<Field> normalised(std::string_view text)
{
    text = trimmed(text);
    if (text.size() > CompareWidth)
        return std::nullopt;
    Field field;
    field.fill(' ');
    std::transform(text.begin(), text.end(), field.begin(), [](char c) {
        if (c >= 'a' && c <= 'z')
            return static_cast<char>(c - 'a' + 'A');
        return c == '\0' ? ' ' : c;
    });
    return field;
}

std::string_view view(const Field &field)
{
    return {field.data(), field.size()};
}

} // namespace

Dictionary::Dictionary(std::string_view records)
{
    if (records.size() % RecordSize == 0)
        m_records = records;
}

std::string_view Dictionary::wordAt(std::size_t index) const
{
    // The marker byte takes no part in the word.
    return trimmed(m_records.substr(index * RecordSize + 1, RecordSize - 1));
}

bool Dictionary::isWord(std::string_view word) const
{
    if (failed())
        return false;
    word = word.substr(0, MaxWordLength);
    if (trimmed(word).empty())
        return false;
    const std::optional<Field> key = normalised(word);
    if (!key)
        return false;

    // Signed, so that hi may fall below zero when the key sorts first.
    long long lo = 0;
    long long hi = static_cast<long long>(recordCount()) - 1;
    while (hi >= lo) {
        const long long mid = (lo + hi) / 2;
        ++m_recordReads;
        // The record's word field as the list stores it (its last byte is
        // always a blank once normalised, so 15-wide keys never match).
        const auto record = m_records.substr(static_cast<std::size_t>(mid) * RecordSize + 1, RecordSize - 1);
        const int order = view(*normalised(record)).compare(view(*key));
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
