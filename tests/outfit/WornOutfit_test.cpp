// Judging one outfit against another, the outfit a slot would put on, and the announcement of
// outfit changes that the undo history listens to.
#include "base/ProgramPaths.h"
#include "outfit/Figures.h"
#include "outfit/WornOutfit.h"
#include "planner/OutfitChange.h"
#include "planner/PlannerFixture.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::CrLfLines;

TEST(Figures, MoreOfEveryStatAndOfTheEfficiencyIsBetterLessCostIsBetter) {
    for (size_t stat = 0; stat < kStatBars; ++stat) {
        EXPECT_EQ(Judge(stat, 3), Verdict::Better) << Figures[stat].Caption;
        EXPECT_EQ(Judge(stat, -1), Verdict::Worse) << Figures[stat].Caption;
    }
    EXPECT_EQ(Judge(kCostFigure, 500), Verdict::Worse);
    EXPECT_EQ(Judge(kCostFigure, -500), Verdict::Better);
    EXPECT_EQ(Judge(kEfficiencyFigure, 2), Verdict::Better);
    EXPECT_EQ(Judge(kEfficiencyFigure, 0), Verdict::Same);
    EXPECT_EQ(ChangeText(4), "+4");
    EXPECT_EQ(ChangeText(-12), "-12");
    EXPECT_EQ(ChangeText(0), "0");
}

TEST(Figures, ComparesWhatTheWindowShows) {
    // Stars past the limit of 50, a shield that moves the efficiency, a cheaper outfit.
    const ItemEffects a{.Stars = 45, .Shield = 20, .Delay = 3, .Cost = 9000};
    const ItemEffects b{.Stars = 30, .Shield = 25, .Delay = -2, .Attack = 1, .Cost = 500};
    const ItemEffects none;
    const TotalsDisplay now = DisplayTotals(a, a, none, none);  // Stars 50 (90), Shield 40
    const TotalsDisplay then = DisplayTotals(b, b, none, none); // Stars 50 (60), Shield 50
    const auto rows = CompareFigures(now, then);
    EXPECT_EQ(rows[0], (FigureChange{50, 50, 0, Verdict::Same}));
    EXPECT_EQ(rows[1], (FigureChange{40, 50, 10, Verdict::Better}));
    EXPECT_EQ(rows[2], (FigureChange{6, -4, -10, Verdict::Worse}));
    EXPECT_EQ(rows[kCostFigure], (FigureChange{18000, 1000, -17000, Verdict::Better}));
    // 100 x 40 / 60 = 66.67 -> 67; 100 x 50 / 50 + 2 = 102.
    EXPECT_EQ(rows[kEfficiencyFigure], (FigureChange{67, 102, 35, Verdict::Better}));
    EXPECT_EQ(now.EfficiencyText, "67");
    EXPECT_EQ(then.BarNumbers[2], 4);
    EXPECT_TRUE(then.Markers[2]);
}

TEST(OutfitChange, OnlyTheOutermostActionIsAStep) {
    OutfitSteps steps;
    std::vector<std::string> told;
    steps.began = [&](std::string_view label) {
        told.push_back(std::string("began ").append(label));
    };
    steps.ended = [&] {
        told.push_back("ended");
    };
    RecordOutfitStep(steps, "Load Slot", [&] {
        EXPECT_TRUE(steps.inStep());
        const OutfitChange gender(steps, "Choose Gender");
        for (int i = 0; i < 4; ++i)
            RecordOutfitStep(steps, "Choose Item", [] {});
    });
    EXPECT_FALSE(steps.inStep());
    { const OutfitChange alone(steps, "Choose Item"); }
    EXPECT_EQ(told,
              (std::vector<std::string>{"began Load Slot", "ended", "began Choose Item", "ended"}));
}

class OutfitOfSlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("data/male11.dat", CrLfLines({"Frost Cap", "p", "l", "1", "2", "3", "4", "5",
                                                   "6", "7", "8", "100"}));
        folder.write("data/male12.dat", CrLfLines({"Knight Cape", "p", "l", "oops", "0", "0", "0",
                                                   "20", "30", "0", "0", "2500"}));
        folder.write("data/male13.dat", "");
        folder.write("data/acce11.dat", CrLfLines({"Harbor Flag", "p", "l", "0", "9", "0", "0", "0",
                                                   "0", "0", "0", "40"}));
        SetProgramFolder(folder.path());
    }
    test::TempFolder folder;
};

TEST_F(OutfitOfSlotTest, PutsOnWhatALoadWould) {
    const SlotOutfit outfit =
        OutfitOfSlot(SlotRecord{"Mine", " 0 ", "Frost Cap", "Knight Cape", "Goggles", "Lost Flag"});
    EXPECT_EQ(outfit.Gender, 0);
    EXPECT_EQ(outfit.Items[0], (WornItem{"Frost Cap", WornStatus::Found}));
    EXPECT_EQ(outfit.Items[1], (WornItem{"Knight Cape", WornStatus::Found}));
    EXPECT_EQ(outfit.Items[2], (WornItem{"Goggles", WornStatus::Nothing}));
    EXPECT_EQ(outfit.Items[3], (WornItem{"Lost Flag", WornStatus::NotInCatalogue}));
    // A field that is no number keeps the fresh slot's 0.
    EXPECT_EQ(outfit.Effects[1], (ItemEffects{.Stars = 20, .Shield = 30, .Cost = 2500}));
    EXPECT_EQ(outfit.Shown.Totals.TotalStars, 25);
    EXPECT_EQ(outfit.Shown.Totals.TotalShield, 36);
    EXPECT_EQ(outfit.Shown.Totals.TotalCost, 2600);
    EXPECT_EQ(outfit.Shown.CostText, "2600");
}

TEST_F(OutfitOfSlotTest, ASlotWithoutAGenderPutsNothingOn) {
    const SlotOutfit outfit =
        OutfitOfSlot(SlotRecord{"Odd", " 7 ", "Frost Cap", "Armor", "Goggles", "Harbor Flag"});
    EXPECT_EQ(outfit.Gender, -1);
    for (const WornItem& item : outfit.Items)
        EXPECT_EQ(item.Status, WornStatus::Ignored) << item.Name;
    EXPECT_EQ(outfit.Shown, DisplayTotals({}, {}, {}, {}));
}

TEST_F(OutfitOfSlotTest, EffectsIfChosenFollowTheItemClick) {
    const ItemFamily& armor = ItemFamilies[1];
    const ItemEffects worn{.Stars = 1, .Delay = 7, .Cost = 99};
    // "oops" in the Delay line: the slot keeps its Delay, as the click does.
    EXPECT_EQ(EffectsIfChosen(armor, "Knight Cape", worn),
              (ItemEffects{.Stars = 20, .Shield = 30, .Delay = 7, .Cost = 2500}));
    EXPECT_EQ(EffectsIfChosen(armor, "No Such Armor", worn), ItemEffects{});
}

} // namespace
} // namespace zv
