#include "planner/ItemEffects.h"
#include "planner/Totals.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(StoreRecordInEffects, TakesEachFieldFromItsLine) {
    ItemRecord r{"Cap", "p", "l", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    ItemEffects e;
    StoreRecordInEffects(r, e);
    EXPECT_EQ(e, (ItemEffects{.Stars = 8,
                              .Shield = 9,
                              .Delay = 4,
                              .Attack = 5,
                              .Hearts = 6,
                              .ItemDelay = 10,
                              .Shovel = 7,
                              .ShieldRegen = 11,
                              .Cost = 12}));
}

TEST(StoreRecordInEffects, AFieldThatDoesNotConvertKeepsThePreviousValue) {
    ItemEffects e{.Stars = 1,
                  .Shield = 2,
                  .Delay = 3,
                  .Attack = 4,
                  .Hearts = 5,
                  .ItemDelay = 6,
                  .Shovel = 7,
                  .ShieldRegen = 8,
                  .Cost = 900};
    ItemRecord r{"Cap", "p", "l", "40000", "-2", "", "abc", "3.5", "2.5", "x", "", "free"};
    StoreRecordInEffects(r, e);
    EXPECT_EQ(e, (ItemEffects{.Stars = 4,
                              .Shield = 2,
                              .Delay = 3,
                              .Attack = -2,
                              .Hearts = 0,
                              .ItemDelay = 6,
                              .Shovel = 7,
                              .ShieldRegen = 0,
                              .Cost = 900}));
}

ItemEffects Stars(int16_t stars) {
    return ItemEffects{.Stars = stars};
}

TEST(ComputeTotals, SumsTheFourSlotsAndLimitsStatsTo50) {
    const ItemEffects helmet{.Stars = 20,
                             .Shield = 10,
                             .Delay = -3,
                             .Attack = 1,
                             .Hearts = 2,
                             .ItemDelay = 4,
                             .Shovel = 5,
                             .ShieldRegen = 6,
                             .Cost = 100};
    const ItemEffects armor{.Stars = 20, .Shield = 45, .Delay = -30, .Cost = 2000};
    const ItemEffects goggles{.Stars = 20, .Hearts = 60, .Cost = 30};
    const ItemEffects accessory{.Stars = 3, .Attack = -1, .Cost = 4};
    const PlannerTotals t = ComputeTotals(helmet, armor, goggles, accessory);
    EXPECT_EQ(t, (PlannerTotals{.TotalStars = 50,
                                .TotalShield = 50,
                                .TotalDelay = -33,
                                .TotalAttack = 0,
                                .TotalHearts = 50,
                                .TotalItemDelay = 4,
                                .TotalShovel = 5,
                                .TotalShieldRegen = 6,
                                .TotalCost = 2134}));
}

TEST(ComputeTotals, CostIsThePlainSumBeyondTheStatRange) {
    const ItemEffects a{.Cost = 30000};
    const PlannerTotals t = ComputeTotals(a, a, a, ItemEffects{.Cost = 1});
    EXPECT_EQ(t.TotalCost, 90001);
}

TEST(ComputeTotals, SaturatesInsteadOfWrapping) {
    const PlannerTotals low = ComputeTotals(Stars(-30000), Stars(-30000), Stars(-30000), Stars(5));
    EXPECT_EQ(low.TotalStars, -32768);
    // Wrapping would have turned this into a large negative number.
    const PlannerTotals high = ComputeTotals(Stars(30000), Stars(30000), Stars(-1), Stars(0));
    EXPECT_EQ(high.TotalStars, 50);
    const ItemEffects rich{.Cost = INT32_MAX};
    EXPECT_EQ(ComputeTotals(rich, rich, {}, {}).TotalCost, INT32_MAX);
    const ItemEffects poor{.Cost = INT32_MIN};
    EXPECT_EQ(ComputeTotals(poor, poor, {}, {}).TotalCost, INT32_MIN);
}

TEST(BarsAndMarkers, FollowTheTotal) {
    // 63 stars show as 50.
    const int16_t capped = ComputeTotals(Stars(20), Stars(20), Stars(20), Stars(3)).TotalStars;
    EXPECT_EQ(capped, 50);
    EXPECT_EQ(BarPictureNumber(capped), 50);
    EXPECT_FALSE(ShowsNegativeMarker(capped));

    EXPECT_EQ(BarPictureNumber(-5), 5);
    EXPECT_TRUE(ShowsNegativeMarker(-5));
    EXPECT_EQ(BarPictureNumber(0), 0);
    EXPECT_FALSE(ShowsNegativeMarker(0));
    EXPECT_EQ(BarPictureNumber(-15), 15);
    // Below -15 the bar keeps its picture, the marker still shows.
    EXPECT_EQ(BarPictureNumber(-16), std::nullopt);
    EXPECT_EQ(BarPictureNumber(-20), std::nullopt);
    EXPECT_TRUE(ShowsNegativeMarker(-20));
    EXPECT_EQ(BarPicturePath(7), "\\avatarpreview\\7.gif");
}

TEST(AvatarEfficiency, FollowsTheFormulaRoundingHalvesToEven) {
    const auto efficiency = [](int16_t shield, int16_t attack, int16_t hearts) {
        return AvatarEfficiency(
            PlannerTotals{.TotalShield = shield, .TotalAttack = attack, .TotalHearts = hearts});
    };
    EXPECT_EQ(efficiency(0, 0, 0), 0);
    EXPECT_EQ(efficiency(50, 0, 0), 100);
    EXPECT_EQ(efficiency(20, 0, 0), 25);
    EXPECT_EQ(efficiency(-60, 0, 0), -38); // -37.5
    EXPECT_EQ(efficiency(-60, 1, 0), -36); // -36.5
    EXPECT_EQ(efficiency(10, 3, -4), 10);  // 11.11 - 1
    EXPECT_EQ(efficiency(-32768, 0, 0), -100);
}

} // namespace
} // namespace zv
