#include "fleet/sidecarreply.h"

#include <gtest/gtest.h>

namespace zz::fleet {
namespace {

TEST(SidecarReply, ListsAreReadWhateverTheSpacingNumbersOrExtraKeys)
{
    const struct
    {
        const char *name;
        const char *body;
        long long capacity;
        std::set<std::string> values;
    } cases[] = {
        {"compact", R"({"name":"players","capacity":"6","values":["1","3"]})", 6, {"1", "3"}},
        {"spaced and wrapped", "{ \"name\" : \"players\",\n  \"capacity\" : \"6\" ,\"values\" : [ \"2\" ] }", 6, {"2"}},
        {"a number, not a string", R"({"name":"players","capacity":6,"values":[]})", 6, {}},
        {"a 64-bit capacity", R"({"name":"p","capacity":"9223372036854775807","values":[]})", 9223372036854775807LL, {}},
        {"keys it does not know", R"({"x":{"y":[1,2]},"name":"p","capacity":"3","values":["7"],"z":null})", 3, {"7"}},
        {"no values at all (zero values left out)", R"({"name":"p","capacity":"0"})", 0, {}},
        {"the empty List a PATCH answers", R"({})", 0, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<SidecarList> list = readList(c.body);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->capacity, c.capacity);
        EXPECT_EQ(list->values, c.values);
    }
}

TEST(SidecarReply, WhatIsNotAListIsRefused)
{
    for (const char *body : {"", "not json", "[]", "\"players\"", R"({"values":"1"})", R"({"values":[1,2]})",
                             R"({"values":["1"])", "{\"values\":[\"1\"]}\xff"}) {
        SCOPED_TRACE(body);
        EXPECT_FALSE(readList(body));
    }
}

TEST(SidecarReply, ErrorMessagesAreTakenFromTheBody)
{
    EXPECT_EQ(errorMessage(R"({"code":2,"message":"out of range","details":[]})"), "out of range");
    EXPECT_EQ(errorMessage("{\n  \"code\": 3,\n  \"message\": \"bad \\\"label\\\"\"\n}"), "bad \"label\"");
    EXPECT_EQ(errorMessage("Not Found"), "");
    EXPECT_EQ(errorMessage(R"({"code":5})"), "");
    EXPECT_EQ(errorMessage(R"({"message":7})"), "");
}

} // namespace
} // namespace zz::fleet
