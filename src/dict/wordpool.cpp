#include "dict/wordpool.h"

namespace zz {

WordPool::WordPool(std::string_view text)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        // A stray blank or a Windows line end would make a word of the wrong length.
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        m_words.emplace_back(line);
    }
}

} // namespace zz
