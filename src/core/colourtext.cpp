#include "colourtext.h"

#include "wire.h"

#include <array>
#include <cstdio>

namespace zz {

namespace {

struct NamedColour
{
    std::string_view name;
    Colour value;
};

constexpr Colour sys(Colour index)
{
    return colour::SystemFlag | index;
}

// Writing takes the first name that matches, so each value appears once.
constexpr std::array<NamedColour, 42> Names{{
    {"clBlack", colour::Black},
    {"clMaroon", colour::Maroon},
    {"clGreen", colour::Green},
    {"clOlive", colour::Olive},
    {"clNavy", colour::Navy},
    {"clPurple", colour::Purple},
    {"clTeal", colour::Teal},
    {"clGray", colour::Gray},
    {"clSilver", colour::Silver},
    {"clRed", colour::Red},
    {"clLime", colour::Lime},
    {"clYellow", colour::Yellow},
    {"clBlue", colour::Blue},
    {"clFuchsia", colour::Fuchsia},
    {"clAqua", colour::Aqua},
    {"clWhite", colour::White},
    {"clScrollBar", sys(0)},
    {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},
    {"clInactiveCaption", sys(3)},
    {"clMenu", sys(4)},
    {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},
    {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},
    {"clCaptionText", sys(9)},
    {"clActiveBorder", sys(10)},
    {"clInactiveBorder", sys(11)},
    {"clAppWorkSpace", sys(12)},
    {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},
    {"clBtnFace", sys(15)},
    {"clBtnShadow", sys(16)},
    {"clGrayText", sys(17)},
    {"clBtnText", sys(18)},
    {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},
    {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},
    {"clInfoText", sys(23)},
    {"clInfoBk", sys(24)},
    {"clNone", colour::None},
}};

// Classic desktop defaults for the system colours, by index, as 0x00BBGGRR.
constexpr std::array<Colour, 25> SystemDefaults{
    0xC8C8C8, 0xA56E3A, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF,
};

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::string colourToText(Colour value)
{
    for (const auto &named : Names) {
        if (named.value == value)
            return std::string(named.name);
    }
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(value));
    return text;
}

std::optional<Colour> colourFromText(std::string_view text)
{
    for (const auto &named : Names) {
        if (equalIgnoringCase(named.name, text))
            return named.value;
    }
    if (const auto number = wire::toInteger(text))
        return static_cast<Colour>(*number);
    return std::nullopt;
}

Colour displayColour(Colour value)
{
    if (value == colour::None)
        return colour::Black;
    if ((value & colour::SystemFlag) == colour::SystemFlag) {
        const Colour index = value & 0xFFFFFF;
        return index < SystemDefaults.size() ? SystemDefaults[index] : colour::Black;
    }
    return value & 0xFFFFFF;
}

} // namespace zz
