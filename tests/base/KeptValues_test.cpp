#include "base/KeptValues.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Within the bound every value stays; past it the least recently used goes first, a value found
// counts as used, a value too heavy is not kept, and keeping a key again replaces its value.
TEST(KeptValues, TheLeastRecentlyUsedGoFirstOncePastTheBound) {
    zv::KeptValues<std::string> kept(100);
    for (const char* key : {"a", "b", "c", "d"})
        kept.keep(key, std::string("value ") + key, 25);
    ASSERT_NE(kept.find("a"), nullptr); // "b" is now the least recently used
    kept.keep("e", "value e", 25);
    EXPECT_EQ(kept.find("b"), nullptr);
    for (const char* key : {"a", "c", "d", "e"})
        ASSERT_NE(kept.find(key), nullptr) << key;
    EXPECT_EQ(*kept.find("e"), "value e");

    kept.keep("heavy", "too heavy", 26);
    EXPECT_EQ(kept.find("heavy"), nullptr);
    EXPECT_NE(kept.find("a"), nullptr);

    kept.keep("a", "again", 25);
    EXPECT_EQ(*kept.find("a"), "again");
    kept.forget("a");
    EXPECT_EQ(kept.find("a"), nullptr);
    kept.clear();
    EXPECT_EQ(kept.find("c"), nullptr);
}

} // namespace
