#include "core/codepage.h"

#include <array>

namespace zz::codepage {

namespace {

// 0x80..0x9F; the rest of the page is Latin-1. The five bytes Windows-1252
// leaves free (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, as the system's converters read them.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
    0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr bool inHighBlock(char32_t c) { return c >= 0x80 && c < 0xA0; }

} // namespace

char32_t toUnicode(unsigned char byte)
{
    return inHighBlock(byte) ? High[byte - 0x80u] : byte;
}

std::optional<unsigned char> fromUnicode(char32_t character)
{
    if (character < 0x100 && !inHighBlock(character))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace zz::codepage
