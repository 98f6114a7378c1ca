// One draw of the random outfit over the program's generator.
#include "base/Random.h"
#include "planner/RandomPick.h"

#include <array>
#include <gtest/gtest.h>

namespace {

TEST(RandomPickTest, EveryEntryComesUpAboutEquallyOften) {
    zv::SeedRandom(2024);
    std::array<int, 7> hits{};
    for (int i = 0; i < 70000; ++i) {
        const auto index = zv::DrawEntryIndex(7);
        ASSERT_TRUE(index.has_value());
        ASSERT_GE(*index, 0);
        ASSERT_LT(*index, 7);
        ++hits[size_t(*index)];
    }
    for (int count : hits) {
        EXPECT_GT(count, 9400);
        EXPECT_LT(count, 10600);
    }
}

} // namespace
