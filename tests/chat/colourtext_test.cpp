#include "core/colourtext.h"

#include <gtest/gtest.h>

using namespace zz;

TEST(ColourText, WritesNamesAndFallsBackToHex)
{
    const struct { const char *name; Colour value; const char *text; } cases[] = {
        {"basic colour", colour::Navy, "clNavy"},
        {"black", 0, "clBlack"},
        {"white", 0xFFFFFF, "clWhite"},
        {"system colour", colour::WindowText, "clWindowText"},
        {"last system colour", colour::SystemFlag | 24, "clInfoBk"},
        {"none", colour::None, "clNone"},
        {"unnamed", 0x123456, "$00123456"},
        {"high byte, lower-case digits never", 0x00ABCDEF, "$00ABCDEF"},
        {"system index without a name", colour::SystemFlag | 200, "$FF0000C8"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colourToText(c.value), c.text);
        EXPECT_EQ(colourFromText(c.text), c.value) << "round trip";
    }
}

TEST(ColourText, ReadsNamesInAnyCaseAndNumbers)
{
    const struct { const char *text; Colour value; } cases[] = {
        {"clblack", colour::Black}, {"CLNAVY", colour::Navy}, {"clBtnFace", colour::SystemFlag | 15},
        {"cl3ddkshadow", colour::SystemFlag | 21}, {"255", colour::Red}, {"$FF0000", colour::Blue},
        {"$ff", colour::Red}, {"0", colour::Black}, {"$FFFFFFFF", 0xFFFFFFFF},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(colourFromText(c.text), c.value);
    }
}

TEST(ColourText, RejectsWhatIsNeitherNameNorNumber)
{
    for (const char *text : {"", "cl", "clNavy ", " clNavy", "navy", "$", "12x", "$FG", "4294967296", "clNavy|x"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(colourFromText(text).has_value());
    }
}

TEST(ColourText, DisplayColourResolvesSystemColours)
{
    EXPECT_EQ(displayColour(colour::Navy), colour::Navy);
    EXPECT_EQ(displayColour(colour::WindowText), colour::Black);
    EXPECT_EQ(displayColour(colour::SystemFlag | 5), colour::White);   // clWindow
    EXPECT_EQ(displayColour(colour::None), colour::Black);
    EXPECT_EQ(displayColour(0x7F00FF00), colour::Lime) << "stray high bits are ignored";
}
