#include "session/wiretext.h"

#include <gtest/gtest.h>

using namespace zz;

TEST(WireText, EveryByteButTheTerminatorSurvivesARoundTrip)
{
    std::string all;
    for (int byte = 0; byte < 255; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(toWire(fromWire(all)), all);
}

TEST(WireText, ReadsWindows1252NotLatin1)
{
    EXPECT_EQ(fromWire("\x80 Zo\xeb"), QStringLiteral(u"\u20ac Zo\u00eb"));
}

TEST(WireText, UnencodableCharactersBecomeOneQuestionMarkEach)
{
    const struct { const char *name; QString text; std::string bytes; } cases[] = {
        {"outside the code page", QStringLiteral(u"a\u4e2db"), "a?b"},
        {"outside the basic plane", QStringLiteral(u"a\U0001F600b"), "a?b"},
        {"would be the terminator", QStringLiteral(u"\u00ff"), "?"},
        {"euro sign is in the code page", QStringLiteral(u"\u20ac"), "\x80"},
        {"empty", QString(), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toWire(c.text), c.bytes);
    }
}
