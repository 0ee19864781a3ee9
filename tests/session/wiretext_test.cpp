#include "session/wiretext.h"

#include <QStringDecoder>
#include <QStringEncoder>
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

// The wire's table must read and write what the system's own Windows-1252
// converter does, wherever the system has one: every byte, and every
// character of the basic plane, lone surrogate halves included.
TEST(WireText, AgreesWithTheSystemConverter)
{
    if (!QStringDecoder("windows-1252").isValid())
        GTEST_SKIP() << "no Windows-1252 converter on this system";
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        QStringDecoder decoder("windows-1252");
        EXPECT_EQ(fromWire(std::string_view(&c, 1)), QString(decoder(QByteArrayView(&c, 1)))) << "byte " << byte;
    }
    for (char32_t code = 0; code < 0x10000; ++code) {
        const QChar character(static_cast<char16_t>(code));
        QStringEncoder encoder("windows-1252");
        const QByteArray bytes = encoder(QStringView(&character, 1));
        const bool single = !encoder.hasError() && bytes.size() == 1 && bytes.front() != '\xff';
        const std::string expected = single ? std::string(1, bytes.front()) : std::string("?");
        ASSERT_EQ(toWire(QString(character)), expected) << "U+" << std::hex << static_cast<unsigned>(code);
    }
}
