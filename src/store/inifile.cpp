#include "inifile.h"

#include <algorithm>

namespace zz {

namespace {

constexpr std::size_t None = std::string::npos;
constexpr std::string_view Blanks = " \t";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters only: names are the program's own and plain ASCII.
bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// The name of a "[name]" line, or nullopt when the line opens no section.
std::optional<std::string_view> sectionName(std::string_view body)
{
    const std::string_view line = trimmed(body);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

// The key of a "key=value" line; nullopt for a line without '=' or an empty key.
std::optional<std::string_view> keyName(std::string_view body)
{
    const auto equals = body.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trimmed(body.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return key;
}

} // namespace

IniFile::IniFile(std::string_view text)
{
    while (!text.empty()) {
        const auto newline = text.find('\n');
        Line line;
        if (newline == std::string_view::npos) {
            line.body = std::string(text);
            text = {};
        } else {
            std::string_view body = text.substr(0, newline);
            line.end = "\n";
            if (!body.empty() && body.back() == '\r') {
                body.remove_suffix(1);
                line.end = "\r\n";
            }
            line.body = std::string(body);
            text.remove_prefix(newline + 1);
        }
        m_lines.push_back(std::move(line));
    }
}

std::size_t IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].body);
        if (name && sameName(*name, section))
            return i;
    }
    return None;
}

std::size_t IniFile::findKey(std::size_t start, std::string_view key) const
{
    for (std::size_t i = start + 1; i < m_lines.size() && !sectionName(m_lines[i].body); ++i) {
        const auto name = keyName(m_lines[i].body);
        if (name && sameName(*name, key))
            return i;
    }
    return None;
}

std::size_t IniFile::sectionEnd(std::size_t start) const
{
    std::size_t end = start + 1;
    for (std::size_t i = start + 1; i < m_lines.size() && !sectionName(m_lines[i].body); ++i) {
        if (!trimmed(m_lines[i].body).empty())
            end = i + 1;
    }
    return end;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const std::size_t start = findSection(section);
    if (start == None)
        return std::nullopt;
    const std::size_t at = findKey(start, key);
    if (at == None)
        return std::nullopt;
    const std::string_view body = m_lines[at].body;
    return std::string(trimmed(body.substr(body.find('=') + 1)));
}

std::string IniFile::newLineBreak() const
{
    // Follow the text's own habit; a new file gets the platform-neutral CR LF
    // that every reader of profile files understands.
    for (const Line &line : m_lines) {
        if (!line.end.empty())
            return line.end;
    }
    return "\r\n";
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string body(key);
    body += '=';
    body += value;
    std::replace_if(body.begin(), body.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    const std::string lineBreak = newLineBreak();
    // A last line without a break must get one before anything follows it.
    auto closeLastLine = [&] {
        if (!m_lines.empty() && m_lines.back().end.empty())
            m_lines.back().end = lineBreak;
    };

    const std::size_t start = findSection(section);
    if (start == None) {
        closeLastLine();
        m_lines.push_back({"[" + std::string(section) + "]", lineBreak});
        m_lines.push_back({std::move(body), lineBreak});
        return;
    }
    if (const std::size_t at = findKey(start, key); at != None) {
        m_lines[at].body = std::move(body);
        return;
    }
    const std::size_t end = sectionEnd(start);
    if (end == m_lines.size())
        closeLastLine();
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(end), Line{std::move(body), lineBreak});
}

std::string IniFile::text() const
{
    std::string out;
    for (const Line &line : m_lines) {
        out += line.body;
        out += line.end;
    }
    return out;
}

} // namespace zz
