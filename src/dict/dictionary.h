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
    // failed state: failed() is true and every isWord() answers false. An
    // empty record set or one that is not whole records also fails; a file
    // already at workFile is neither used nor touched.
    Dictionary(std::string_view records, std::filesystem::path workFile);
    // Closes the working file and deletes it, if this object created it.
    ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    // True when the word is in the list; case and surrounding spaces do not
    // matter, and a word over 255 characters is judged on its first 255. A
    // failed read, a failed dictionary or a blank word answers false.
    bool isWord(std::string_view word);

    bool failed() const { return !m_file; }
    std::size_t recordCount() const { return m_recordCount; }
    // Records read from the working file since creation: what the lookups cost.
    std::size_t recordReads() const { return m_recordReads; }
    // The message for a failed dictionary; the caller shows or logs it.
    static constexpr std::string_view FailureMessage = "English.dic dictionary not found!";

private:
    // Reads the word field of one record, followed by a zero byte; false on a
    // short read or an I/O error.
    bool readWord(std::size_t index, std::string &word);
    void removeWorkFile();

    struct FileCloser { void operator()(std::FILE *f) const { std::fclose(f); } };
    std::filesystem::path m_workFile;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::size_t m_recordCount = 0;
    std::size_t m_recordReads = 0;
    bool m_ownsWorkFile = false;   // only a file this object created is ever deleted
};

} // namespace zz
