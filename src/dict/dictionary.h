#pragma once
// The word list the host judges with: fixed 15-byte records (a marker byte,
// then the word in capitals padded with spaces), sorted, searched in memory.
// Plain C++: no Qt.
#include "core/names.h"

#include <cstddef>
#include <string_view>

namespace zz {

class Dictionary
{
public:
    static constexpr std::size_t RecordSize = 15;

    // Searches records in place: the bytes must outlive the dictionary. An
    // empty record set or one that is not whole records leaves it failed:
    // failed() is true and every isWord() answers false.
    explicit Dictionary(std::string_view records);

    // True when the word is in the list; case and surrounding spaces do not
    // matter, and a word over 255 characters is judged on its first 255. A
    // failed dictionary or a blank word answers false.
    bool isWord(std::string_view word) const;

    bool failed() const { return m_records.empty(); }
    std::size_t recordCount() const { return m_records.size() / RecordSize; }
    // The word field of a record without its padding, as stored (capitals);
    // index must be below recordCount().
    std::string_view wordAt(std::size_t index) const;
    // Records compared since creation: what the lookups cost.
    std::size_t recordReads() const { return m_recordReads; }
    // The message for a failed dictionary; the caller shows or logs it.
    static constexpr std::string_view FailureMessage = message::DictionaryMissing;

private:
    std::string_view m_records;
    mutable std::size_t m_recordReads = 0;
};

} // namespace zz
