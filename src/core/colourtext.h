#pragma once
// Colours as the game stores and sends them: 0x00BBGGRR values (red in the low
// byte), written as a colour name where one exists, else "$" and eight hex digits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zz {

using Colour = std::uint32_t;

namespace colour {
inline constexpr Colour Black = 0x000000;
inline constexpr Colour Maroon = 0x000080;
inline constexpr Colour Green = 0x008000;
inline constexpr Colour Olive = 0x008080;
inline constexpr Colour Navy = 0x800000;
inline constexpr Colour Purple = 0x800080;
inline constexpr Colour Teal = 0x808000;
inline constexpr Colour Gray = 0x808080;
inline constexpr Colour Silver = 0xC0C0C0;
inline constexpr Colour Red = 0x0000FF;
inline constexpr Colour Lime = 0x00FF00;
inline constexpr Colour Yellow = 0x00FFFF;
inline constexpr Colour Blue = 0xFF0000;
inline constexpr Colour Fuchsia = 0xFF00FF;
inline constexpr Colour Aqua = 0xFFFF00;
inline constexpr Colour White = 0xFFFFFF;

// System colours carry the platform's colour index under this flag.
inline constexpr Colour SystemFlag = 0xFF000000;
inline constexpr Colour WindowText = SystemFlag | 8;
inline constexpr Colour None = 0x1FFFFFFF;
} // namespace colour

// The colour's name ("clNavy") or "$" and eight upper-case hex digits.
std::string colourToText(Colour value);

// A colour name in any letter case, a decimal number or "$" hex; nullopt for
// anything else.
std::optional<Colour> colourFromText(std::string_view text);

// A plain 0x00BBGGRR value that shows the colour on screen: system colours
// become the classic desktop's defaults, clNone black, other bits above the
// 24 colour bits are ignored.
Colour displayColour(Colour value);

} // namespace zz
