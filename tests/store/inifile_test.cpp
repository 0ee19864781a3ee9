#include "store/inifile.h"

#include <gtest/gtest.h>

#include <string>

using namespace zz;

TEST(IniFile, ReadsKeysOfTheNamedSectionIgnoringCase)
{
    const IniFile ini("[Other]\nTop=1\n[zigzop]\ntop = 42 \nWIDTH=800\n");
    EXPECT_EQ(ini.value("Zigzop", "Top"), "42");
    EXPECT_EQ(ini.value("ZIGZOP", "width"), "800");
    EXPECT_EQ(ini.value("Other", "top"), "1");
    EXPECT_EQ(ini.value("Zigzop", "Height"), std::nullopt);
    EXPECT_EQ(ini.value("Missing", "Top"), std::nullopt);
}

TEST(IniFile, KeysBeforeAnySectionBelongToNone)
{
    const IniFile ini("Top=7\n[Zigzop]\nLeft=8\n");
    EXPECT_EQ(ini.value("Zigzop", "Top"), std::nullopt);
    EXPECT_EQ(ini.value("", "Top"), std::nullopt);
    EXPECT_EQ(ini.value("Zigzop", "Left"), "8");
}

TEST(IniFile, FirstDuplicateWinsAndEqualsSignsStayInTheValue)
{
    const IniFile ini("[Zigzop]\nPhrase1=a=b==c\nPhrase1=second\n[Zigzop]\nPhrase2=later section\n");
    EXPECT_EQ(ini.value("Zigzop", "Phrase1"), "a=b==c");
    // Only the first section of a name is read, as the platform's reader does.
    EXPECT_EQ(ini.value("Zigzop", "Phrase2"), std::nullopt);
}

TEST(IniFile, CarriageReturnsAndGarbageLinesDoNotLeakIntoValues)
{
    const IniFile ini("\r\n garbage line\r\n[Zigzop]\r\n\r\n=no key\r\n;Top=1\r\nTop=5\r\n[broken\r\nLeft=6\r\n");
    EXPECT_EQ(ini.value("Zigzop", "Top"), "5");
    EXPECT_EQ(ini.value("Zigzop", ";Top"), "1");   // a comment is an ordinary key to this reader
    // "[broken" opens no section, so its next line still belongs to Zigzop.
    EXPECT_EQ(ini.value("Zigzop", "Left"), "6");
    EXPECT_EQ(ini.value("Zigzop", ""), std::nullopt);
}

TEST(IniFile, EmptyValueIsPresentAndEmpty)
{
    const IniFile ini("[Zigzop]\nThree=\nFour=   \n");
    EXPECT_EQ(ini.value("Zigzop", "Three"), "");
    EXPECT_EQ(ini.value("Zigzop", "Four"), "");
}

TEST(IniFile, TextRoundTripsByteForByte)
{
    const std::string cases[] = {
        "", "\n", "no break at end", "[A]\r\nk=v\r\n", "mixed\nbreaks\r\n[X]\n\n\r\n x = y \n", "\r", "a\r\r\nb"};
    for (const std::string &text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IniFile(text).text(), text);
    }
}

TEST(IniFile, SettingAnExistingKeyRewritesOnlyItsLine)
{
    IniFile ini("; mine\r\n[Other]\r\nTop=1\r\n[Zigzop]\r\nTOP = 9\r\nLeft=3\r\n");
    ini.setValue("Zigzop", "Top", "42");
    EXPECT_EQ(ini.text(), "; mine\r\n[Other]\r\nTop=1\r\n[Zigzop]\r\nTop=42\r\nLeft=3\r\n");
}

TEST(IniFile, SettingANewKeyAddsItAtTheEndOfItsSection)
{
    IniFile ini("[Zigzop]\nTop=1\n\n[Other]\nx=y\n");
    ini.setValue("zigzop", "Left", "2");
    EXPECT_EQ(ini.text(), "[Zigzop]\nTop=1\nLeft=2\n\n[Other]\nx=y\n");
    EXPECT_EQ(ini.value("Zigzop", "Left"), "2");
    EXPECT_EQ(ini.value("Other", "Left"), std::nullopt);
}

TEST(IniFile, SettingInAMissingSectionAppendsTheSection)
{
    IniFile empty;
    empty.setValue("Zigzop", "Top", "3");
    EXPECT_EQ(empty.text(), "[Zigzop]\r\nTop=3\r\n");

    // A last line without a break gets one before the new lines.
    IniFile unterminated("[Other]\nx=y");
    unterminated.setValue("Zigzop", "Top", "3");
    EXPECT_EQ(unterminated.text(), "[Other]\nx=y\n[Zigzop]\nTop=3\n");

    IniFile sectionAtEnd("[Zigzop]");
    sectionAtEnd.setValue("Zigzop", "Top", "3");
    EXPECT_EQ(sectionAtEnd.text(), "[Zigzop]\r\nTop=3\r\n");
}

TEST(IniFile, ValueCannotAddLinesOfItsOwn)
{
    IniFile ini;
    ini.setValue("Zigzop", "Phrase1", "hi\r\n[Evil]\nTop=1");
    EXPECT_EQ(ini.value("Zigzop", "Phrase1"), "hi  [Evil] Top=1");
    EXPECT_EQ(ini.value("Evil", "Top"), std::nullopt);
    EXPECT_EQ(IniFile(ini.text()).value("Zigzop", "Phrase1"), "hi  [Evil] Top=1");
}

TEST(IniFile, ValuesWithEqualsSurviveARoundTrip)
{
    IniFile ini;
    ini.setValue("Zigzop", "Phrase3", "a=b");
    ini.setValue("Zigzop", "Phrase4", "");
    const IniFile again(ini.text());
    EXPECT_EQ(again.value("Zigzop", "Phrase3"), "a=b");
    EXPECT_EQ(again.value("Zigzop", "Phrase4"), "");
}
