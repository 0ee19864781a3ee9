#pragma once
// ASCII letter case for words from the wire and the word lists; other bytes
// pass unchanged. Plain C++.
#include <string>
#include <string_view>

namespace zz {

inline char toLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char toUpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = toLowerAscii(c);
    return out;
}

inline std::string toUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = toUpperAscii(c);
    return out;
}

} // namespace zz
