#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/wordpool.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class BuiltinData : public ::testing::Test
{
protected:
    const zz::Dictionary m_dict{zz::builtinDictionaryRecords()};
};

} // namespace

TEST_F(BuiltinData, RecordsAreWellFormedAndInSearchOrder)
{
    const std::string_view records = zz::builtinDictionaryRecords();
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records.size() % zz::Dictionary::RecordSize, 0u);
    std::string_view previous;
    for (std::size_t at = 0; at < records.size(); at += zz::Dictionary::RecordSize) {
        const std::string_view field = records.substr(at + 1, 14);
        ASSERT_EQ(records[at], '\x1e') << at;
        const auto end = field.find(' ');
        ASSERT_GE(end, 2u) << field;
        ASSERT_EQ(field.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), end) << field;
        ASSERT_TRUE(end == std::string_view::npos || field.find_first_not_of(' ', end) == std::string_view::npos);
        ASSERT_LE(previous, field);
        previous = field;
    }
}

TEST_F(BuiltinData, ClassicLaddersAndBothEndsAreWords)
{
    ASSERT_FALSE(m_dict.failed());
    EXPECT_EQ(m_dict.wordAt(0), "AAH");
    EXPECT_EQ(m_dict.wordAt(m_dict.recordCount() - 1), "ZYMURGY");
    for (const char *word : {"cold", "cord", "card", "ward", "warm", "head", "heal", "teal", "tell", "tall", "tail",
                             "aah", "zymurgy", "absentmindedne"})
        EXPECT_TRUE(m_dict.isWord(word)) << word;
    EXPECT_FALSE(m_dict.isWord("absentmindedness"));
}

TEST_F(BuiltinData, PoolHoldsShortSortedDictionaryWords)
{
    const zz::WordPool pool(zz::builtinWordPool());
    ASSERT_GT(pool.size(), 1000u);
    std::set<std::string> mustHold = {"cold", "warm", "head", "tail"};
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const std::string &w = pool.at(i);
        ASSERT_TRUE(w.size() >= 3 && w.size() <= 5) << w;
        ASSERT_EQ(w.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << w;
        ASSERT_TRUE(i == 0 || pool.at(i - 1) < w) << w;
        ASSERT_TRUE(m_dict.isWord(w)) << w;
        mustHold.erase(w);
    }
    EXPECT_TRUE(mustHold.empty());
}
