#include "dict/wordpool.h"

#include <gtest/gtest.h>

TEST(WordPool, TakesOneWordPerLineWhateverTheLineEnds)
{
    const zz::WordPool pool("\nbabe\r\n\r\n  \ncold \nwarm");
    ASSERT_EQ(pool.size(), 3u);
    EXPECT_EQ(pool.at(0), "babe");
    EXPECT_EQ(pool.at(1), "cold");
    EXPECT_EQ(pool.at(2), "warm");
    EXPECT_TRUE(zz::WordPool("\n\r\n").empty());
}
