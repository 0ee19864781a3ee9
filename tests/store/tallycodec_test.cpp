#include "store/tallycodec.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace zz;
using namespace std::string_literals;

namespace {

const std::string ShortRead = "Lzrw1 : Error reading from input file : ";
const std::string BadHeader = "tally : Lzrw1 decompression : this file has no valid header !";
const std::string SizeMismatch = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";

// "WRZL" and the little-endian length, as every packed file starts.
std::string header(std::uint32_t size)
{
    return "WRZL"s + char(size & 0xFF) + char((size >> 8) & 0xFF) + char((size >> 16) & 0xFF) + char(size >> 24);
}

std::string withLength(const std::string &block)
{
    return char(block.size() & 0xFF) + (char(block.size() >> 8) + block);
}

std::string errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const TallyCodecError &e) {
        return e.what();
    }
    return "no error";
}

std::string repeat(const std::string &bytes, int times)
{
    std::string out;
    while (times-- > 0)
        out += bytes;
    return out;
}

std::string randomBytes(std::size_t size, int alphabet, unsigned seed)
{
    std::mt19937 pick(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(pick() % alphabet);
    return bytes;
}

// A tally with many followed players, laid out as the tally window writes it.
std::string tallyText(int players)
{
    std::string text = "9\r\n" + std::to_string(players + 1) + "\r\n0\r\n";
    for (int row = 1; row <= players; ++row)
        text += "Player" + std::to_string(row) + "\r\n";
    for (int cell = 0; cell < 8 * (players + 1); ++cell)
        text += std::to_string(cell * 7 % 40) + "\r\n";
    return text;
}

} // namespace

TEST(TallyCodecFormat, PacksToTheKnownBytes)
{
    const std::string equal(32768, 'x');
    const std::string noise = randomBytes(32768, 256, 1);
    const struct
    {
        const char *name;
        std::string text, packed;
    } cases[] = {
        {"empty text: 11 bytes", "", header(0) + withLength("\x80")},
        {"too short to pay: stored", "ab", header(2) + withLength("\x80"s + "ab")},
        {"literals, then a copy overlapping itself", "abcabcabc",
         header(9) + withLength("\x40\x10\x00"s + "abc\x00\x33"s)},
        {"run of twenty", std::string(20, 'a'), header(20) + withLength("\x40\x80\x00\x00\x00\x04"s + "a"s)},
        {"sixteen items and no empty control word after them", repeat(std::string(16, 'A') + std::string(16, 'B'), 8),
         header(256) + withLength("\x40\xff\xff"s + repeat("\0\0\0A\0\0\0B"s, 8))},
        {"a real tally", "9\r\n1\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n",
         header(33) + withLength("\x40\x01\xe0"s + "9\r\n1\r\n0\x00\x62\x00\x93\x00\xc0\x00\x39"s)},
        {"a whole piece of one byte: runs, a literal, a copy; then the empty piece", equal,
         header(32768) + withLength("\x40\xff\x40"s + repeat("\x00\x0f\xef\x78"s, 8) + "x\x00\x14"s)
             + withLength("\x80")},
        {"incompressible piece stored", noise, header(32768) + withLength("\x80" + noise) + withLength("\x80")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compressTally(c.text), c.packed);
    }
}

TEST(TallyCodecFormat, ReadsBlocksTheWriterNeverMakes)
{
    const struct
    {
        const char *name;
        std::string packed, text;
    } cases[] = {
        {"stored flag on a short piece", header(3) + withLength("\x80"s + "abc"), "abc"},
        {"empty block ends the file", header(0) + withLength(""), ""},
        {"unknown flag read as packed", header(4) + withLength("\x13\x00\x00"s + "abcd"s), "abcd"},
        {"longest run count", header(4111) + withLength("\x40\x80\x00\x00\x0f\xff"s + "z"s), std::string(4111, 'z')},
        {"bytes after the last block", header(1) + withLength("\x80"s + "k") + "junk", "k"},
        {"an empty last control word, as files written before still hold",
         header(256) + withLength("\x40\xff\xff"s + repeat("\0\0\0A\0\0\0B"s, 8) + "\0\0"s),
         repeat(std::string(16, 'A') + std::string(16, 'B'), 8)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { EXPECT_EQ(decompressTally(c.packed), c.text); }), "no error");
    }
}

TEST(TallyCodecErrors, EveryTruncationIsAShortRead)
{
    for (const std::string &text : {""s, "abcabcabc"s, std::string(40000, 'x') + tallyText(40)}) {
        const std::string packed = compressTally(text);
        for (std::size_t cut = 0; cut < packed.size(); ++cut)
            ASSERT_EQ(errorOf([&] { decompressTally(packed.substr(0, cut), "tally"); }), ShortRead + "tally") << cut;
    }
}

TEST(TallyCodecErrors, DamagedFilesAreRefusedWithoutReadingOutside)
{
    std::string tooManyLiterals = "\x40";
    for (int i = 0; i < 32769 / 16 + 1; ++i)
        tooManyLiterals += "\0\0"s + randomBytes(16, 256, i);
    const struct
    {
        const char *name;
        std::string packed, message;
    } cases[] = {
        {"unknown identifier", "WRZM" + compressTally("x").substr(4), BadHeader},
        {"the other coder's identifier", "!HZL" + compressTally("x").substr(4), BadHeader},
        {"stored size too small", header(2) + withLength("\x80"s + "abc"), SizeMismatch},
        {"stored size too large", header(4) + withLength("\x80"s + "abc"), SizeMismatch},
        {"more blocks promised than stored",
         header(40000) + withLength("\x80" + std::string(32768, 'a')) + withLength("\x80"), SizeMismatch},
        {"copy before the block's start", header(5) + withLength("\x40\x40\x00"s + "a\x00\x21"s), SizeMismatch},
        {"copy from the very first byte", header(4) + withLength("\x40\x80\x00\x00\x10"s), SizeMismatch},
        {"stored piece longer than a piece", header(32769) + withLength("\x80" + std::string(32769, 'a')),
         SizeMismatch},
        {"run past a piece", header(36863) + withLength("\x40\xff\xf0" + repeat("\x00\x0f\xff\x41"s, 9)), SizeMismatch},
        {"literals past a piece", header(40000) + withLength(tooManyLiterals), SizeMismatch},
        {"copy cut short", header(2) + withLength("\x40\x40\x00"s + "a\x00"s), SizeMismatch},
        {"run cut short", header(16) + withLength("\x40\x80\x00\x00\x00\x00"s), SizeMismatch},
        {"control word cut short", header(16) + withLength("\x40\x00\x00"s + std::string(16, 'a') + "\x80"),
         SizeMismatch},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { decompressTally(c.packed, "tally"); }), c.message);
    }
}

TEST(TallyCodecRoundTrip, RestoresEveryTextByteForByte)
{
    std::vector<std::string> texts = {tallyText(0), tallyText(4000)};
    std::string all;
    for (int b = 0; b < 256; ++b) {
        texts.push_back(std::string(1, char(b)));
        all += char(b);
    }
    texts.push_back(all + all + all);
    for (std::size_t run : {15, 16, 17, 4095, 4096, 4111, 4112, 32767, 32768, 32769, 70000})
        texts.push_back("<" + std::string(run, '\xff') + ">");
    unsigned seed = 0;
    for (std::size_t size : {3, 17, 100, 4095, 4097, 10000, 32767, 32768, 32769, 65536, 100001})
        for (int alphabet : {2, 4, 26, 256})
            texts.push_back(randomBytes(size, alphabet, ++seed));
    for (const std::string &text : texts) {
        const std::string packed = compressTally(text);
        ASSERT_EQ(decompressTally(packed), text) << "size " << text.size();
        ASSERT_LE(packed.size(), 8 + text.size() + 3 * (text.size() / 32768 + 1));
    }
}

TEST(TallyFile, SavesAtomicallyAndReadsBack)
{
    const auto dir = zz::test::freshTestFolder("zz_tallycodec_");
    std::filesystem::create_directories(dir / "busy" / "inside");
    const auto path = dir / "Zigzoptally.tld";

    EXPECT_EQ(errorOf([&] { readTallyFile(path); }),
              "Lzrw1 (de)compression : Failed to open input file : " + path.string());
    writeTallyFile(path, "old");
    writeTallyFile(path, tallyText(2));
    EXPECT_EQ(readTallyFile(path), tallyText(2));

    // A save that cannot be put in place leaves what was there and no stray file.
    EXPECT_EQ(errorOf([&] { writeTallyFile(dir / "busy", "new"); }),
              "Lzrw1 : Error writing to output file : " + (dir / "busy").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "busy" / "inside"));
    EXPECT_EQ(zz::test::entriesIn(dir), 2);

    std::ofstream(path, std::ios::binary) << "WRZ";
    EXPECT_EQ(errorOf([&] { readTallyFile(path); }), ShortRead + path.string());
    std::filesystem::remove_all(dir);
}
