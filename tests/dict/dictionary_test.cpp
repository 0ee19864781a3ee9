#include "dict/dictionary.h"

#include "support/dictrecords.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using zz::Dictionary;
using zz::test::recordsOf;

TEST(Dictionary, IgnoresCaseAndSurroundingBlanksOnly)
{
    const std::string records = recordsOf({"ca", "cat", "cats", "dog", "absentmindedness", "zymurgy"});
    const Dictionary dict(records);
    ASSERT_FALSE(dict.failed());
    for (const char *word : {"cat", "CAT", "  cAt   "})
        EXPECT_TRUE(dict.isWord(word)) << word;
    EXPECT_TRUE(dict.isWord(std::string_view("\0cat\0", 5)));
    for (const char *word : {"c at", "ca t", "cat.", "\tcat", "c", "cattle", "aaa", "zzz"})
        EXPECT_FALSE(dict.isWord(word)) << word;
}

TEST(Dictionary, LongWordsMatchOnlyInTheirCutForm)
{
    const std::string records = recordsOf({"absentmindedness", "cat"});
    const Dictionary dict(records);
    EXPECT_TRUE(dict.isWord("absentmindedne"));
    EXPECT_FALSE(dict.isWord("absentmindednes"));
    EXPECT_FALSE(dict.isWord("absentmindedness"));
    // Cut to 255 before the blanks are trimmed: what is left is judged.
    EXPECT_TRUE(dict.isWord(std::string(252, ' ') + "cat"));
    EXPECT_FALSE(dict.isWord(std::string(253, ' ') + "cat"));
    EXPECT_FALSE(dict.isWord(std::string(300, 'a')));
}

TEST(Dictionary, RecordsAreReadTheWayKeysAre)
{
    // Fields the word-list tool would not write still compare after the same
    // steps as the key: trimmed, zero bytes as blanks, capitals.
    const struct { const char *name; std::string field; std::string_view word; bool found; } cases[] = {
        {"lower case", "cat", "CAT", true},
        {"leading blanks", "   cat", "cat", true},
        {"zero padding", std::string("cat\0\0\0", 6), "cat", true},
        {"inner zero", std::string("c\0t", 3), "c t", true},
        {"inner zero against zero", std::string("c\0t", 3), std::string_view("c\0t", 3), true},
        {"full width", "abcdefghijklmn", "abcdefghijklmn", true},
        {"not a letter", "\xe9t\xe9", "\xc9T\xc9", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::string records = '\x1e' + c.field;
        records.resize(Dictionary::RecordSize, ' ');
        EXPECT_EQ(Dictionary(records).isWord(c.word), c.found);
    }
}

TEST(Dictionary, BlankWordsAnswerFalseWithoutReading)
{
    const std::string records = recordsOf({"cat"});
    const Dictionary dict(records);
    for (std::string_view word : {std::string_view(""), std::string_view("   "), std::string_view("\0 \0", 3)})
        EXPECT_FALSE(dict.isWord(word));
    EXPECT_EQ(dict.recordReads(), 0u);
}

TEST(Dictionary, FindsEveryRecordOfRunsWhereverTheSearchLands)
{
    // A run of equal records slid across every position of sets of every size
    // up to 12, so the search meets it at its start, middle and end.
    for (std::size_t size = 1; size <= 12; ++size) {
        for (std::size_t runLength = 1; runLength <= size; ++runLength) {
            for (std::size_t at = 0; at + runLength <= size; ++at) {
                std::vector<std::string> words;
                for (std::size_t i = 0; i < size; ++i)
                    words.push_back(i < at ? std::string(1, char('b' + i)) + "a"
                                           : i < at + runLength ? "ma" : std::string(1, char('n' + i)) + "a");
                SCOPED_TRACE(std::to_string(size) + "-" + std::to_string(runLength) + "-" + std::to_string(at));
                const std::string records = recordsOf(words);
                const Dictionary dict(records);
                for (const auto &w : words)
                    EXPECT_TRUE(dict.isWord(w)) << w;
                EXPECT_FALSE(dict.isWord("aa"));
                EXPECT_FALSE(dict.isWord("mb"));
                EXPECT_FALSE(dict.isWord("zz"));
            }
        }
    }
}

TEST(Dictionary, AgreesWithASetAndReadsLogarithmically)
{
    std::mt19937 random(7);
    std::set<std::string> words;
    auto randomWord = [&] {
        std::string w(2 + random() % 5, 'a');
        for (char &c : w)
            c = char('a' + random() % 4);   // a small alphabet, so near misses abound
        return w;
    };
    while (words.size() < 500)
        words.insert(randomWord());
    const std::string records = recordsOf({words.begin(), words.end()});
    const Dictionary dict(records);
    ASSERT_EQ(dict.recordCount(), 500u);
    for (int i = 0; i < 2000; ++i) {
        const std::string w = randomWord();
        const std::size_t readsBefore = dict.recordReads();
        ASSERT_EQ(dict.isWord(w), words.count(w) == 1) << w;
        EXPECT_LE(dict.recordReads() - readsBefore, 9u);   // ceil(log2(501))
    }
}

TEST(Dictionary, HandsOutTheWordsInListOrder)
{
    const std::string records = recordsOf({"warm", "cold", "absentmindedness", "ox"}) + '\x1e' + "  ZED" + '\0'
                                + std::string(8, ' ');
    const Dictionary dict(records);
    ASSERT_EQ(dict.recordCount(), 5u);
    const char *expected[] = {"ABSENTMINDEDNE", "COLD", "OX", "WARM", "ZED"};
    for (std::size_t i = 0; i < dict.recordCount(); ++i)
        EXPECT_EQ(dict.wordAt(i), expected[i]);
}

TEST(Dictionary, FailsOnAnythingButWholeRecords)
{
    const struct { const char *name; std::string records; } cases[] = {
        {"no records", ""},
        {"one byte short", recordsOf({"cat", "dog"}).substr(1)},
        {"one byte over", recordsOf({"cat"}) + "X"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Dictionary dict(c.records);
        EXPECT_TRUE(dict.failed());
        EXPECT_EQ(dict.recordCount(), 0u);
        EXPECT_FALSE(dict.isWord("cat"));
        EXPECT_FALSE(dict.isWord("dog"));
    }
}
