#pragma once
// The word list the host judges with: fixed 15-byte records (a marker byte,
// then the word in capitals padded with spaces), sorted, searched on disk one
// record at a time. Plain C++: no Qt.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zz {

class Dictionary
{
public:
    static constexpr std::size_t RecordSize = 15;

    // Writes records to workFile (which must not exist yet; a private
    // temporary path) and opens it. On failure the dictionary is in the
    // failed state: failed() is true and every isWord() answers false.
    Dictionary(std::string_view records, std::filesystem::path workFile);
    // Closes the working file and deletes it.
    ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    // True when the word is in the list; case and surrounding spaces do not
    // matter. A failed read answers false.
    bool isWord(std::string_view word);

    bool failed() const { return !m_file; }
    std::size_t recordCount() const { return m_recordCount; }
    // The message the user sees when the list cannot be opened.
    static constexpr std::string_view FailureMessage = "English.dic dictionary not found!";

private:
    struct FileCloser { void operator()(std::FILE *f) const { std::fclose(f); } };
    std::filesystem::path m_workFile;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::size_t m_recordCount = 0;
};

} // namespace zz
