#include "dict/dictionary.h"

#include "dicttestutil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

using zz::Dictionary;
using zz::test::recordsOf;

namespace {

std::string contentOf(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DictionaryTest : public ::testing::Test
{
protected:
    zz::test::ScratchDir m_dir;
    std::filesystem::path m_work = m_dir.file("words");
};

} // namespace

TEST_F(DictionaryTest, IgnoresCaseAndSurroundingBlanksOnly)
{
    Dictionary dict(recordsOf({"ca", "cat", "cats", "dog", "absentmindedness", "zymurgy"}), m_work);
    ASSERT_FALSE(dict.failed());
    for (const char *word : {"cat", "CAT", "  cAt   "})
        EXPECT_TRUE(dict.isWord(word)) << word;
    EXPECT_TRUE(dict.isWord(std::string_view("\0cat\0", 5)));
    for (const char *word : {"c at", "ca t", "cat.", "\tcat", "c", "cattle", "aaa", "zzz"})
        EXPECT_FALSE(dict.isWord(word)) << word;
}

TEST_F(DictionaryTest, LongWordsMatchOnlyInTheirCutForm)
{
    Dictionary dict(recordsOf({"absentmindedness", "cat"}), m_work);
    EXPECT_TRUE(dict.isWord("absentmindedne"));
    EXPECT_FALSE(dict.isWord("absentmindednes"));
    EXPECT_FALSE(dict.isWord("absentmindedness"));
    // Cut to 255 before the blanks are trimmed: what is left is judged.
    EXPECT_TRUE(dict.isWord(std::string(252, ' ') + "cat"));
    EXPECT_FALSE(dict.isWord(std::string(253, ' ') + "cat"));
    EXPECT_FALSE(dict.isWord(std::string(300, 'a')));
}

TEST_F(DictionaryTest, BlankWordsAnswerFalseWithoutReading)
{
    Dictionary dict(recordsOf({"cat"}), m_work);
    for (std::string_view word : {std::string_view(""), std::string_view("   "), std::string_view("\0 \0", 3)})
        EXPECT_FALSE(dict.isWord(word));
    EXPECT_EQ(dict.recordReads(), 0u);
}

TEST_F(DictionaryTest, FindsEveryRecordOfRunsWhereverTheSearchLands)
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
                const auto path = m_dir.file("run" + std::to_string(size) + "-" + std::to_string(runLength) + "-"
                                             + std::to_string(at));
                Dictionary dict(recordsOf(words), path);
                SCOPED_TRACE(path.filename().string());
                for (const auto &w : words)
                    EXPECT_TRUE(dict.isWord(w)) << w;
                EXPECT_FALSE(dict.isWord("aa"));
                EXPECT_FALSE(dict.isWord("mb"));
                EXPECT_FALSE(dict.isWord("zz"));
            }
        }
    }
}

TEST_F(DictionaryTest, AgreesWithASetAndReadsLogarithmically)
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
    Dictionary dict(recordsOf({words.begin(), words.end()}), m_work);
    ASSERT_EQ(dict.recordCount(), 500u);
    for (int i = 0; i < 2000; ++i) {
        const std::string w = randomWord();
        const std::size_t readsBefore = dict.recordReads();
        ASSERT_EQ(dict.isWord(w), words.count(w) == 1) << w;
        EXPECT_LE(dict.recordReads() - readsBefore, 9u);   // ceil(log2(501))
    }
}

TEST_F(DictionaryTest, WorkingFileLivesExactlyAsLongAsTheDictionary)
{
    const std::string records = recordsOf({"cat", "dog"});
    {
        Dictionary dict(records, m_work);
        EXPECT_EQ(contentOf(m_work), records);
    }
    EXPECT_FALSE(std::filesystem::exists(m_work));
}

TEST_F(DictionaryTest, ShortReadFailsOnlyThatLookup)
{
    Dictionary dict(recordsOf({"ant", "bee", "cat", "dog", "eel"}), m_work);
    std::filesystem::resize_file(m_work, 2 * Dictionary::RecordSize + 4);
    EXPECT_FALSE(dict.isWord("eel"));
    { std::ofstream(m_work, std::ios::binary) << recordsOf({"ant", "bee", "cat", "dog", "eel"}); }
    EXPECT_TRUE(dict.isWord("eel"));
}

TEST_F(DictionaryTest, FailsWithoutTouchingAnyoneElsesFile)
{
    { std::ofstream(m_work) << "the user's own file"; }
    {
        Dictionary dict(recordsOf({"cat"}), m_work);
        EXPECT_TRUE(dict.failed());
        EXPECT_FALSE(dict.isWord("cat"));
    }
    EXPECT_EQ(contentOf(m_work), "the user's own file");

    const struct { const char *name; std::string records; std::filesystem::path path; } cases[] = {
        {"no records", "", m_dir.file("a")},
        {"not whole records", recordsOf({"cat"}) + "X", m_dir.file("b")},
        {"unwritable place", recordsOf({"cat"}), m_dir.file("missing") / "words"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        {
            Dictionary dict(c.records, c.path);
            EXPECT_TRUE(dict.failed());
            EXPECT_FALSE(dict.isWord("cat"));
        }
        EXPECT_FALSE(std::filesystem::exists(c.path));
    }
}
