// The buying plan: the order of the purchases, what it skips, where it ends, and the games and
// hours the basic calculator gives for each price.
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "finder/BuyingPlan.h"
#include "finder/FinderFixtures.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>
#include <random>

namespace zv {
namespace {

using fixtures::Captioned;
using fixtures::Effects;
using fixtures::ItemName;

// Attack and Hearts add up one for one, far below the limit of 50.
Objective AttackAndHearts() {
    Objective goal;
    goal.Kind = ObjectiveKind::Weighted;
    goal.Weights[kAttack] = goal.Weights[kHearts] = 1;
    return goal;
}

FinderCatalog Shop() {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Cap", Effects({{kAttack, 5}}, 1000)},
                        {"Hood", Effects({{kAttack, 10}}, 4000)},
                        {"Dunce Cap", Effects({{kAttack, -4}}, 100)}};
    catalog.Slots[1] = {{"Vest", Effects({{kHearts, 8}}, 2000)}};
    catalog.Slots[2] = {{"Lens", Effects({{kAttack, 3}}, 3000)},
                        {"Free Specs", Effects({{kHearts, 1}}, 0)}};
    catalog.Slots[3] = {{"Flag", Effects({{kAttack, 2}}, 500)}};
    return catalog;
}

// The outfit of these list places (-1 empty), as the finder reports it.
FoundOutfit Outfit(const FinderCatalog& catalog, std::array<int, 4> positions) {
    FoundOutfit o;
    std::array<const ItemEffects*, 4> worn{};
    const ItemEffects nothing{};
    for (int slot = 0; slot < 4; ++slot) {
        const int p = positions[slot];
        o.Names[slot] = p < 0 ? catalog.Captions[slot] : catalog.Slots[slot][p].Name;
        worn[slot] = p < 0 ? &nothing : &catalog.Slots[slot][p].Effects;
        o.Cost += worn[slot]->Cost;
    }
    o.Positions = positions;
    o.Totals = ComputeTotals(*worn[0], *worn[1], *worn[2], *worn[3]);
    return o;
}

// The main window wearing these list places, with the records the planner stores for them.
WornOutfit Wearing(const FinderCatalog& catalog, std::array<int, 4> positions) {
    WornOutfit worn;
    for (int slot = 0; slot < 4; ++slot) {
        const int p = positions[slot];
        worn.Names[slot] = p < 0 ? catalog.Captions[slot] : catalog.Slots[slot][p].Name;
        if (p >= 0)
            worn.Effects[slot] = catalog.Slots[slot][p].Effects;
    }
    return worn;
}

// "Vest 2000 0>8" per step: item column, price, objective before and after.
std::vector<std::string> Steps(const BuyingPlan& plan) {
    std::vector<std::string> steps;
    for (const PlanStep& s : plan.Steps)
        steps.push_back(PlanStepText(s) + " " + std::to_string(s.Price) + " " +
                        std::to_string(s.ValueBefore) + ">" + std::to_string(s.ValueAfter));
    return steps;
}

using Lines = std::vector<std::string>;

TEST(PlanPurchases, BuysByGainPerGoldFreeThingsFirstAndSkipsWhatIsWornOrOwned) {
    const FinderCatalog shop = Shop();
    const WornOutfit bare = Wearing(shop, {-1, -1, -1, -1});
    const struct {
        const char* what;
        FoundOutfit target;
        WornOutfit worn;
        std::vector<OwnedItem> owned;
        Lines steps;
    } cases[] = {
        {"gain per gold; Vest and Flag both 4 per 1000, armor before accessory",
         Outfit(shop, {1, 0, 0, 0}),
         bare,
         {},
         {"Vest 2000 0>8", "Flag 500 8>10", "Hood 4000 10>20", "Lens 3000 20>23"}},
        {"an item the shop gives away comes before a better one for gold",
         Outfit(shop, {1, -1, 1, -1}),
         bare,
         {},
         {"Free Specs 0 0>1", "Hood 4000 1>11"}},
        {"worn items stay on and count from the start",
         Outfit(shop, {1, 0, -1, -1}),
         Wearing(shop, {1, -1, -1, 0}),
         {},
         {"Vest 2000 12>20", "Take off Flag 0 20>18"}},
        {"a worn item that costs points comes off first",
         Outfit(shop, {-1, 0, -1, -1}),
         Wearing(shop, {2, -1, -1, -1}),
         {},
         {"Take off Dunce Cap 0 -4>0", "Vest 2000 0>8"}},
        {"a replaced item counts until its slot is bought",
         Outfit(shop, {1, -1, 0, -1}),
         Wearing(shop, {0, -1, -1, -1}),
         {},
         {"Hood 4000 5>10", "Lens 3000 10>13"}},
        {"owned items are put on for nothing, first",
         Outfit(shop, {1, 0, 0, -1}),
         bare,
         {{SlotKind::Goggles, "Lens"}, {SlotKind::Helmet, "Cap"}, {SlotKind::Armor, "Lens"}},
         {"Lens (owned) 0 0>3", "Vest 2000 3>11", "Hood 4000 11>21"}},
        {"nothing to do", Outfit(shop, {0, 0, -1, -1}), Wearing(shop, {0, 0, -1, -1}), {}, {}},
    };
    for (const auto& c : cases) {
        const BuyingPlan plan = PlanPurchases(shop, c.target, c.worn, AttackAndHearts(), c.owned);
        EXPECT_EQ(Steps(plan), c.steps) << c.what;
        int64_t gold = 0;
        for (const PlanStep& s : plan.Steps) {
            gold += s.Price;
            EXPECT_EQ(s.Gold, gold) << c.what;
        }
        if (!plan.Steps.empty()) {
            EXPECT_EQ(plan.Steps.back().Totals.TotalAttack, c.target.Totals.TotalAttack) << c.what;
        }
    }
    const BuyingPlan none = PlanPurchases(shop, Outfit(shop, {0, -1, -1, -1}),
                                          Wearing(shop, {0, -1, -1, -1}), AttackAndHearts(), {});
    EXPECT_EQ(PlanSummary(none, AttackAndHearts()), "Everything of this outfit is worn already.");
    const BuyingPlan all =
        PlanPurchases(shop, Outfit(shop, {1, 0, 0, 0}), bare, AttackAndHearts(), {});
    EXPECT_EQ(PlanSummary(all, AttackAndHearts()),
              "4 steps, 9,500 gold in all: Weighted from 0 to 23.");
}

TEST(PlanPurchases, WeighsEachPurchaseOnTheOutfitAsItStandsThen) {
    // Alone a Shield of 20 is worth 25 efficiency; on top of another 20 it is worth 42. After the
    // first helmet the dearer armor beats the goggles that looked better at the start.
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Shield Helm", Effects({{kShield, 20}}, 1000)}};
    catalog.Slots[1] = {{"Shield Mail", Effects({{kShield, 20}}, 1100)}};
    catalog.Slots[2] = {{"Sharp Eyes", Effects({{kAttack, 24}}, 1000)}};
    const BuyingPlan plan = PlanPurchases(catalog, Outfit(catalog, {0, 0, 0, -1}),
                                          Wearing(catalog, {-1, -1, -1, -1}), Objective{}, {});
    EXPECT_EQ(Steps(plan),
              (Lines{"Shield Helm 1000 0>25", "Shield Mail 1100 25>67", "Sharp Eyes 1000 67>91"}));
    EXPECT_EQ(PlanSummary(plan, Objective{}),
              "3 steps, 3,100 gold in all: Efficiency from 0 to 91.");
}

TEST(PlanPurchases, EndsAtTheFoundOutfitFromAnyWornOne) {
    std::mt19937 random(4);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 300; ++round) {
        FinderCatalog catalog = Captioned();
        for (int slot = 0; slot < 4; ++slot) {
            for (int i = between(0, 5); i > 0; --i) {
                FinderItem item{ItemName(slot, i), {}};
                for (const FinderStat& s : FinderStats)
                    item.Effects.*s.Effect = static_cast<int16_t>(between(-20, 40));
                item.Effects.Cost = between(0, 3) == 0 ? 0 : between(1, 10000);
                catalog.Slots[slot].push_back(item);
            }
        }
        FinderRequest request;
        request.Top = 3;
        request.CountOwned = between(0, 1) == 1;
        std::array<int, 4> wornAt{};
        for (int slot = 0; slot < 4; ++slot) {
            const int count = static_cast<int>(catalog.Slots[slot].size());
            wornAt[slot] = between(-1, count - 1);
            if (count > 0 && request.CountOwned)
                request.Owned.push_back({kSlotKinds[slot], catalog.Slots[slot][0].Name});
        }
        if (between(0, 1) == 1) {
            request.Goal.Kind = ObjectiveKind::Weighted;
            for (int& w : request.Goal.Weights)
                w = between(-3, 3);
        }
        const WornOutfit worn = Wearing(catalog, wornAt);
        for (const FoundOutfit& target : FindOutfits(catalog, request).Outfits) {
            const BuyingPlan plan =
                PlanPurchases(catalog, target, worn, request.Goal,
                              request.CountOwned ? request.Owned : std::vector<OwnedItem>{});
            int64_t value = plan.Start;
            int64_t paid = 0;
            for (const PlanStep& s : plan.Steps) {
                EXPECT_EQ(s.ValueBefore, value);
                value = s.ValueAfter;
                paid += s.Price;
                EXPECT_NE(worn.Names[s.Slot], target.Names[s.Slot]);
            }
            // Worn items need no step and cost nothing; everything else of the outfit does.
            int64_t missing = 0;
            size_t changes = 0;
            for (int slot = 0; slot < 4; ++slot) {
                if (worn.Names[slot] != target.Names[slot]) {
                    ++changes;
                    if (target.Positions[slot] >= 0 &&
                        !IsOwned(request.Owned, kSlotKinds[slot], target.Names[slot]))
                        missing += catalog.Slots[slot][target.Positions[slot]].Effects.Cost;
                }
            }
            ASSERT_EQ(plan.Steps.size(), changes);
            EXPECT_EQ(paid, missing);
            EXPECT_EQ(value, target.Value);
            if (!plan.Steps.empty()) {
                EXPECT_EQ(plan.Steps.back().Totals, target.Totals);
            }
        }
    }
}

BasicInputs Figures(const char* gameTime, const char* winRate, const char* perWin,
                    const char* perLoss) {
    BasicInputs in;
    in.GameTime = QString::fromLatin1(gameTime);
    in.WinRate = QString::fromLatin1(winRate);
    in.GoldPerWin = QString::fromLatin1(perWin);
    in.GoldPerLoss = QString::fromLatin1(perLoss);
    return in;
}

// Games and hours of each step and of the gold so far as the plan shows them ("-" for none).
std::vector<std::string> Times(const BuyingPlan& plan) {
    auto text = [](const std::optional<EarningTime>& t) {
        return t ? EarningText(t, false) + "g" + EarningText(t, true) + "h" : std::string("-");
    };
    std::vector<std::string> lines;
    for (const PlanStep& s : plan.Steps)
        lines.push_back(text(s.StepTime) + " " + text(s.TotalTime));
    return lines;
}

TEST(AddEarningTimes, EachPriceAndTheGoldSoFarTakeWhatTheBasicCalculatorSays) {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Crown", Effects({{kAttack, 30}}, 7500)}};
    catalog.Slots[1] = {{"Robe", Effects({{kAttack, 5}}, 2500)}};
    catalog.Slots[2] = {{"Gift", Effects({{kAttack, 1}}, 0)}};
    const auto plan = [&] {
        return PlanPurchases(catalog, Outfit(catalog, {0, 0, 0, -1}),
                             Wearing(catalog, {-1, -1, -1, -1}), AttackAndHearts(), {});
    };
    const QLocale c = QLocale::c();
    const BasicInputs figures = Figures("10", "50", "100", "50"); // 75 gold a game

    BuyingPlan p = plan();
    AddEarningTimes(p, figures, c);
    EXPECT_TRUE(p.HasTimes);
    EXPECT_EQ(p.TimeNote, "");
    // 7500 is earned after 100 games exactly, so it takes 101; 10000 takes 134 (22.3 hours).
    EXPECT_EQ(Times(p), (Lines{"- -", "101g17h 101g17h", "34g6h 134g22h"}));
    for (const PlanStep& s : p.Steps) {
        if (!s.StepTime)
            continue;
        BasicInputs typed = figures;
        typed.TotalCost = QString::number(s.Price);
        const auto shown = CalculateBasic(typed, c);
        ASSERT_TRUE(shown.ok());
        EXPECT_EQ(s.StepTime->Games, shown->RequiredGames);
        EXPECT_EQ(s.StepTime->Hours, shown->RequiredHours);
    }

    // Figures in the user's locale; a price never earned within the search, and one whose
    // minutes pass the 32-bit range.
    p = plan();
    AddEarningTimes(p, Figures("10", "52,5", "1.000", "0"), QLocale(QLocale::German));
    EXPECT_EQ(Times(p), (Lines{"- -", "15g2h 15g2h", "5g1h 20g3h"}));
    p = plan();
    AddEarningTimes(p, Figures("10", "50", "0", "0"), c);
    EXPECT_EQ(Times(p),
              (Lines{"- -", "over 100,000g-h over 100,000g-h", "over 100,000g-h over 100,000g-h"}));
    p = plan();
    AddEarningTimes(p, Figures("30000000", "50", "100", "50"), c);
    EXPECT_EQ(Times(p), (Lines{"- -", "-g-h -g-h", "34g17000000h -g-h"}));
    EXPECT_TRUE(p.HasTimes);
    EXPECT_EQ(p.TimeNote, "With these figures the calculator cannot count the time of some "
                          "steps: it would go beyond its range.");

    // Figures never filled in are told apart from wrong ones.
    const struct {
        BasicInputs figures;
        const char* note;
    } problems[] = {
        {Figures("", "", "", ""), "For games and hours, open Time Calculator > Basic and fill in "
                                  "your figures first; they are kept when it closes."},
        {Figures("10", "50", "lots", " "), "For games and hours, open Time Calculator > Basic and "
                                           "fill in your figures first; they are kept when it "
                                           "closes."},
        {Figures("10", "50", "lots", "50"),
         "For games and hours, the average gold per win kept by Time Calculator > Basic is not a "
         "number the calculator can use: correct it there and close the calculator."},
        {Figures("10", "fifty", "100", "50"),
         "For games and hours, the win rate kept by Time Calculator > Basic is not a number the "
         "calculator can use: correct it there and close the calculator."},
        {Figures("3000000000", "50", "100", "50"),
         "For games and hours, the average time per game kept by Time Calculator > Basic is too "
         "large: correct it there and close the calculator."},
    };
    for (const auto& problem : problems) {
        p = plan();
        AddEarningTimes(p, problem.figures, c);
        EXPECT_FALSE(p.HasTimes);
        EXPECT_EQ(p.TimeNote, problem.note);
        EXPECT_EQ(Times(p), (Lines{"- -", "- -", "- -"}));
    }
}

TEST(AddKeptEarningTimes, ReadsTheCalculatorsFiguresOnlyWhileTheyAreKept) {
    zvtest::ProgramFolder folder;
    folder.activate();
    for (const auto& [key, value] :
         {std::pair{"GameTime", "10"}, std::pair{"WinRate", "50"}, std::pair{"GoldPerWin", "100"},
          std::pair{"GoldPerLoss", "50"}, std::pair{"SaveLoad", "1"}})
        ASSERT_TRUE(WriteSetting(SettingsPath(), "Time Calculator", key, value));
    FinderCatalog catalog = Captioned();
    catalog.Slots[3] = {{"Banner", Effects({{kHearts, 3}}, 10000)}};
    const auto plan = [&] {
        return PlanPurchases(catalog, Outfit(catalog, {-1, -1, -1, 0}),
                             Wearing(catalog, {-1, -1, -1, -1}), AttackAndHearts(), {});
    };

    BuyingPlan p = plan();
    AddKeptEarningTimes(p, QLocale::c());
    EXPECT_EQ(Times(p), (Lines{"134g22h 134g22h"}));

    ASSERT_TRUE(WriteSetting(SettingsPath(), "Time Calculator", "SaveLoad", "0"));
    p = plan();
    AddKeptEarningTimes(p, QLocale::c());
    EXPECT_FALSE(p.HasTimes);
    EXPECT_EQ(Times(p), (Lines{"- -"}));
    EXPECT_EQ(p.TimeNote, "For games and hours, tick \"Autosave and load timecalculator values:\" "
                          "under File > Properties and fill in Time Calculator > Basic.");
}

} // namespace
} // namespace zv
