#pragma once
// The wire's code page, Windows-1252, as a table: one byte is one character
// and back. Plain C++, so nothing has to load a converter library for it.
#include <optional>

namespace zz::codepage {

// The character a byte stands for; every byte stands for one.
char32_t toUnicode(unsigned char byte);

// The byte for a character; nullopt when the code page has none.
std::optional<unsigned char> fromUnicode(char32_t character);

} // namespace zz::codepage
