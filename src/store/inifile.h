#pragma once
// A Windows profile (INI) text held in memory: "[Section]" lines open sections,
// "key=value" lines set keys. Names match without regard to letter case.
// Setting a key rewrites or adds one line and leaves every other byte alone,
// so a file edited by hand or by another program keeps what it holds.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

class IniFile
{
public:
    IniFile() = default;
    // Never fails: lines that are neither a section nor a key are kept and ignored.
    explicit IniFile(std::string_view text);

    // The value of the first such key in the first such section, blanks around
    // it removed; nullopt when either is missing. Keys before any section
    // belong to no section and are never found.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Rewrites the first such key, or adds it at the end of the first such
    // section, or adds the section at the end of the text. Line breaks in the
    // value become blanks so that a value can never add lines of its own.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, byte for byte as read apart from the lines set.
    std::string text() const;

private:
    struct Line
    {
        std::string body;   // without its line break
        std::string end;    // "\r\n", "\n" or "" for a last line without one
    };
    // Index of the line that opens the first such section, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line inside the section opened at line start, or npos.
    std::size_t findKey(std::size_t start, std::string_view key) const;
    // Index just past the section's last key-or-text line (blank lines after it excluded).
    std::size_t sectionEnd(std::size_t start) const;
    std::string newLineBreak() const;

    std::vector<Line> m_lines;
};

} // namespace zz
