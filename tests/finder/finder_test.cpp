// The outfit finder against a plain enumeration of every combination, on thousands of random
// small catalogues and on the shipped ones, and the cases a player meets at the edges.
#include "base/ProgramPaths.h"
#include "finder/Finder.h"
#include "finder/FinderFixtures.h"
#include "support/ProgramFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace zv {
namespace {

// One choice of a slot in the enumeration: an item or nothing (-1).
struct Option {
    std::string name;
    ItemEffects effects;
    int64_t cost;
    int position;
};

std::vector<Option> OptionsOf(const FinderCatalog& catalog, const FinderRequest& request,
                              int slot) {
    const Option nothing{catalog.Captions[slot], {}, 0, -1};
    auto option = [&](const FinderItem& item, int position) {
        int64_t cost = item.Effects.Cost;
        for (const OwnedItem& owned : request.Owned) {
            if (request.CountOwned && owned.Slot == kSlotKinds[slot] && owned.Name == item.Name)
                cost = 0;
        }
        return Option{item.Name, item.Effects, cost, position};
    };
    const SlotLock& lock = request.Locks[slot];
    const std::vector<FinderItem>& items = catalog.Slots[slot];
    if (lock.Kind == LockKind::Empty)
        return {nothing};
    if (lock.Kind == LockKind::Keep) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].Name == lock.Name)
                return {option(items[i], static_cast<int>(i))};
        }
        return {Option{lock.Name, {}, 0, -1}};
    }
    std::vector<Option> all{nothing};
    for (size_t i = 0; i < items.size(); ++i)
        all.push_back(option(items[i], static_cast<int>(i)));
    return all;
}

int64_t ValueOf(const Objective& goal, const PlannerTotals& t) {
    const std::array<int16_t, 8> stats{t.TotalStars,  t.TotalShield,     t.TotalDelay,
                                       t.TotalAttack, t.TotalHearts,     t.TotalItemDelay,
                                       t.TotalShovel, t.TotalShieldRegen};
    switch (goal.Kind) {
    case ObjectiveKind::Efficiency:
        return AvatarEfficiency(t);
    case ObjectiveKind::Stat:
        return stats[goal.Stat];
    case ObjectiveKind::Weighted:
        break;
    }
    int64_t sum = 0;
    for (int s = 0; s < 8; ++s)
        sum += int64_t{goal.Weights[s]} * stats[s];
    return sum;
}

// Every combination, checked and ranked one by one.
std::vector<FoundOutfit> Enumerate(const FinderCatalog& catalog, const FinderRequest& request) {
    std::array<std::vector<Option>, 4> options;
    for (int slot = 0; slot < 4; ++slot)
        options[slot] = OptionsOf(catalog, request, slot);
    struct Weighed {
        int64_t value;
        int64_t cost;
        std::array<int, 4> positions;
        std::array<const Option*, 4> worn;
    };
    std::vector<Weighed> all;
    for (const Option& h : options[0])
        for (const Option& a : options[1])
            for (const Option& g : options[2])
                for (const Option& c : options[3]) {
                    const int64_t cost = h.cost + a.cost + g.cost + c.cost;
                    if (request.Budget && cost > *request.Budget)
                        continue;
                    const PlannerTotals t =
                        ComputeTotals(h.effects, a.effects, g.effects, c.effects);
                    const std::array<int16_t, 8> stats{
                        t.TotalStars,  t.TotalShield,    t.TotalDelay,  t.TotalAttack,
                        t.TotalHearts, t.TotalItemDelay, t.TotalShovel, t.TotalShieldRegen};
                    bool meets = true;
                    for (int s = 0; s < 8; ++s)
                        meets = meets && (!request.Minimums[s] || stats[s] >= *request.Minimums[s]);
                    if (meets)
                        all.push_back({ValueOf(request.Goal, t),
                                       cost,
                                       {h.position, a.position, g.position, c.position},
                                       {&h, &a, &g, &c}});
                }
    const size_t top = std::min(all.size(), static_cast<size_t>(request.Top));
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(top), all.end(),
                      [](const Weighed& x, const Weighed& y) {
                          if (x.value != y.value)
                              return x.value > y.value;
                          if (x.cost != y.cost)
                              return x.cost < y.cost;
                          return x.positions < y.positions;
                      });
    std::vector<FoundOutfit> best;
    for (size_t i = 0; i < top; ++i) {
        const Weighed& w = all[i];
        FoundOutfit o;
        o.Names = {w.worn[0]->name, w.worn[1]->name, w.worn[2]->name, w.worn[3]->name};
        o.Positions = w.positions;
        o.Totals = ComputeTotals(w.worn[0]->effects, w.worn[1]->effects, w.worn[2]->effects,
                                 w.worn[3]->effects);
        o.Cost = w.cost;
        o.Value = w.value;
        o.Efficiency = AvatarEfficiency(o.Totals);
        best.push_back(std::move(o));
    }
    return best;
}

std::string Describe(const std::vector<FoundOutfit>& outfits) {
    std::string text;
    for (const FoundOutfit& o : outfits) {
        text += std::to_string(o.Value) + " " + std::to_string(o.Cost) + " [";
        for (int p : o.Positions)
            text += std::to_string(p) + " ";
        text += "]\n";
    }
    return text;
}

using fixtures::Captioned;
using fixtures::Effects;
using fixtures::ItemName;

TEST(FindOutfits, EqualsAPlainEnumerationOnThousandsOfRandomCatalogues) {
    std::mt19937 random(1313);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 2500; ++round) {
        FinderCatalog catalog = Captioned();
        // Narrow value and price ranges now and then, so that ties and copies are common.
        const int spread = between(0, 3) == 0 ? 3 : 60;
        const bool roundPrices = between(0, 2) == 0;
        for (int slot = 0; slot < 4; ++slot) {
            const int count = between(0, 12);
            for (int i = 0; i < count; ++i) {
                FinderItem item;
                item.Name = ItemName(slot, i);
                if (i > 0 && between(0, 5) == 0) {
                    item.Effects =
                        catalog.Slots[slot][static_cast<size_t>(between(0, i - 1))].Effects;
                } else {
                    for (const FinderStat& s : FinderStats) {
                        const int v = between(-20, -20 + spread);
                        item.Effects.*s.Effect = static_cast<int16_t>(std::min(v, 40));
                    }
                    item.Effects.Cost = roundPrices ? between(0, 10) * 1000 : between(0, 10000);
                }
                catalog.Slots[slot].push_back(std::move(item));
            }
        }
        FinderRequest request;
        request.Top = between(1, 12);
        if (between(0, 4) != 0)
            request.Budget = between(0, 4) == 0 ? between(0, 3000) : between(0, 30000);
        switch (between(0, 3)) {
        case 0:
        case 1:
            break; // efficiency
        case 2:
            request.Goal.Kind = ObjectiveKind::Stat;
            request.Goal.Stat = between(0, 7);
            break;
        default:
            request.Goal.Kind = ObjectiveKind::Weighted;
            for (int& w : request.Goal.Weights)
                w = between(0, 2) == 0 ? between(-3, 3) : 0;
        }
        for (int s = 0; s < 8; ++s) {
            if (between(0, 7) == 0)
                request.Minimums[s] = between(-30, 50);
        }
        for (int slot = 0; slot < 4; ++slot) {
            const int kind = between(0, 9);
            if (kind == 0)
                request.Locks[slot].Kind = LockKind::Empty;
            else if (kind == 1 && !catalog.Slots[slot].empty()) {
                request.Locks[slot].Kind = LockKind::Keep;
                request.Locks[slot].Name =
                    catalog
                        .Slots[slot][static_cast<size_t>(
                            between(0, static_cast<int>(catalog.Slots[slot].size()) - 1))]
                        .Name;
            }
        }
        if (between(0, 2) == 0) {
            request.CountOwned = between(0, 3) != 0;
            for (int slot = 0; slot < 4; ++slot) {
                for (const FinderItem& item : catalog.Slots[slot]) {
                    if (between(0, 4) == 0)
                        request.Owned.push_back({kSlotKinds[slot], item.Name});
                }
            }
        }

        const FinderResult result = FindOutfits(catalog, request);
        const std::vector<FoundOutfit> expected = Enumerate(catalog, request);
        ASSERT_TRUE(result.Optimal);
        ASSERT_EQ(result.Outfits, expected) << "round " << round << "\nfound:\n"
                                            << Describe(result.Outfits) << "expected:\n"
                                            << Describe(expected);
        uint64_t combinations = 1;
        for (int slot = 0; slot < 4; ++slot)
            combinations *= OptionsOf(catalog, request, slot).size();
        ASSERT_EQ(result.Combinations, combinations);
        ASSERT_EQ(result.Outfits.empty(), !result.Problem.empty());
    }
}

TEST(FindOutfits, TheBestOnTheShippedCataloguesEqualsEveryCombinationWeighed) {
    const std::filesystem::path shipped = zvtest::ProgramFolder::assembled();
    if (!std::filesystem::exists(shipped / "data" / "male11.dat"))
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    SetProgramFolder(shipped);
    const std::vector<int64_t> budgets{0, 25000, 120000, 400000, 2000000};
    for (int gender = 0; gender < 2; ++gender) {
        std::string error;
        const std::optional<FinderCatalog> catalog = LoadFinderCatalog(gender, &error);
        ASSERT_TRUE(catalog) << error;
        // One pass over the million outfits keeps the best for every budget.
        std::vector<std::optional<FoundOutfit>> best(budgets.size());
        FinderRequest any;
        std::array<std::vector<Option>, 4> options;
        for (int slot = 0; slot < 4; ++slot)
            options[slot] = OptionsOf(*catalog, any, slot);
        ASSERT_GE(options[0].size() * options[1].size() * options[2].size() * options[3].size(),
                  1'000'000u);
        for (const Option& h : options[0])
            for (const Option& a : options[1])
                for (const Option& g : options[2])
                    for (const Option& c : options[3]) {
                        const PlannerTotals t =
                            ComputeTotals(h.effects, a.effects, g.effects, c.effects);
                        const int64_t cost = h.cost + a.cost + g.cost + c.cost;
                        const long value = AvatarEfficiency(t);
                        for (size_t b = 0; b < budgets.size(); ++b) {
                            if (cost > budgets[b])
                                continue;
                            if (best[b] && (best[b]->Value > value ||
                                            (best[b]->Value == value && best[b]->Cost <= cost)))
                                continue; // the enumeration runs in list order: earlier wins ties
                            FoundOutfit o;
                            o.Names = {h.name, a.name, g.name, c.name};
                            o.Positions = {h.position, a.position, g.position, c.position};
                            o.Totals = t;
                            o.Cost = cost;
                            o.Value = value;
                            o.Efficiency = value;
                            best[b] = o;
                        }
                    }
        for (size_t b = 0; b < budgets.size(); ++b) {
            FinderRequest request;
            request.Budget = budgets[b];
            const FinderResult result = FindOutfits(*catalog, request);
            ASSERT_FALSE(result.Outfits.empty());
            EXPECT_EQ(result.Outfits.front(), *best[b])
                << "gender " << gender << ", budget " << budgets[b];
            EXPECT_TRUE(result.Optimal);
            EXPECT_LT(result.Examined, result.Combinations / 100) << "the bounds prune";
        }
    }
}

TEST(FindOutfits, ABudgetOfNothingLeavesEmptySlotsAndOwnedItems) {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Iron Cap", Effects({{kShield, 10}}, 500)}};
    catalog.Slots[1] = {{"Plate", Effects({{kShield, 20}}, 900)}};
    catalog.Slots[3] = {{"Banner", Effects({{kHearts, 5}}, 50)}};
    FinderRequest request;
    request.Budget = 0;
    FinderResult result = FindOutfits(catalog, request);
    ASSERT_FALSE(result.Outfits.empty());
    EXPECT_EQ(result.Outfits.front().Names,
              (std::array<std::string, 4>{"Helmets", "Armor", "Goggles", "Accessories"}));
    EXPECT_EQ(result.Outfits.front().Value, 0);
    EXPECT_EQ(result.Outfits.size(), 1u) << "nothing else is free";

    // Counting the wardrobe, the owned plate costs nothing; its price still shows in the totals.
    request.CountOwned = true;
    request.Owned = {{SlotKind::Armor, "Plate"}, {SlotKind::Helmet, "Plate"}};
    result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 2u);
    const FoundOutfit& best = result.Outfits.front();
    EXPECT_EQ(best.Names[1], "Plate");
    EXPECT_EQ(best.Names[0], "Helmets") << "owned as armor, not as a helmet";
    EXPECT_EQ(best.Cost, 0);
    EXPECT_EQ(best.Totals.TotalCost, 900);
    EXPECT_EQ(best.Value, 25);
    EXPECT_EQ(result.Outfits[1].Value, 0);

    // Without the option the same wardrobe changes nothing.
    request.CountOwned = false;
    EXPECT_EQ(FindOutfits(catalog, request).Outfits.size(), 1u);
}

TEST(FindOutfits, SaysWhyThereIsNoOutfit) {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Iron Cap", Effects({{kAttack, 10}}, 500)}};
    catalog.Slots[2] = {{"Snorkel", Effects({{kAttack, 15}, {kShield, -5}}, 800)}};
    FinderRequest request;
    request.Minimums[kAttack] = 26;
    FinderResult result = FindOutfits(catalog, request);
    EXPECT_TRUE(result.Outfits.empty());
    EXPECT_TRUE(result.Optimal);
    EXPECT_EQ(result.Problem, "No outfit meets these minimums.");
    EXPECT_EQ(FinderSummary(result), "No outfit meets these minimums.");

    // Reachable without a budget, not with one below the two items' price.
    request.Minimums[kAttack] = 25;
    request.Budget = 1299;
    EXPECT_EQ(FindOutfits(catalog, request).Problem, "No outfit meets these minimums.");
    request.Budget = 1300;
    result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 1u);
    EXPECT_EQ(result.Outfits[0].Names[2], "Snorkel") << "an ordinary goggles item here";
    EXPECT_EQ(result.Outfits[0].Totals.TotalShield, -5);

    // A kept item dearer than the budget.
    request.Minimums = {};
    request.Budget = 100;
    request.Locks[0] = {LockKind::Keep, "Iron Cap"};
    result = FindOutfits(catalog, request);
    EXPECT_TRUE(result.Outfits.empty());
    EXPECT_EQ(result.Problem, "The kept items cost more than the budget.");
}

TEST(FindOutfits, TotalsFollowThePlannersLimitSoANegativeItemCanBeBest) {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Horned Helm", Effects({{kShield, 30}, {kAttack, 35}}, 100)}};
    catalog.Slots[1] = {{"Tower Plate", Effects({{kShield, 30}, {kAttack, 30}}, 100)}};
    // Its Attack penalty vanishes under the limit of 50; its Hearts do not.
    catalog.Slots[3] = {{"Heavy Charm", Effects({{kAttack, -15}, {kHearts, 12}}, 100)},
                        {"Light Charm", Effects({{kHearts, 3}}, 100)}};
    FinderRequest request;
    request.Top = 3;
    const FinderResult result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 3u);
    const FoundOutfit& best = result.Outfits.front();
    EXPECT_EQ(best.Names,
              (std::array<std::string, 4>{"Horned Helm", "Tower Plate", "Goggles", "Heavy Charm"}));
    EXPECT_EQ(best.Totals.TotalShield, 50) << "60 limited to 50";
    EXPECT_EQ(best.Totals.TotalAttack, 50) << "65 - 15 limited to 50";
    EXPECT_EQ(best.Efficiency, 100 + 50 + 12);
    EXPECT_EQ(best.Value, best.Efficiency);
    EXPECT_EQ(best.Cost, 300);
    EXPECT_EQ(result.Outfits[1].Names[3], "Light Charm");

    // Totals below zero stay below zero.
    FinderRequest lowest;
    lowest.Goal.Kind = ObjectiveKind::Weighted;
    lowest.Goal.Weights[kAttack] = -1;
    const FinderResult most = FindOutfits(catalog, lowest);
    ASSERT_FALSE(most.Outfits.empty());
    EXPECT_EQ(most.Outfits.front().Totals.TotalAttack, -15);
    EXPECT_EQ(most.Outfits.front().Value, 15);
}

TEST(FindOutfits, TiesGoToTheCheaperOutfitThenToTheEarlierItems) {
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"A", Effects({{kAttack, 5}, {kShield, 3}}, 100)},
                        {"B", Effects({{kAttack, 5}}, 100)},
                        {"C", Effects({{kAttack, 5}, {kShield, 3}}, 100)},
                        {"D", Effects({{kAttack, 5}}, 50)}};
    FinderRequest request;
    request.Goal.Kind = ObjectiveKind::Stat;
    request.Goal.Stat = kAttack;
    request.Minimums[kShield] = 0; // so B is worse than A and C, yet scores the same
    request.Top = 3;
    FinderResult result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 3u);
    EXPECT_EQ(result.Outfits[0].Names[0], "D");
    EXPECT_EQ(result.Outfits[1].Names[0], "A");
    EXPECT_EQ(result.Outfits[2].Names[0], "B");
    request.Top = 10;
    result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 5u);
    EXPECT_EQ(result.Outfits[3].Names[0], "C");
    EXPECT_EQ(result.Outfits[4].Names[0], "Helmets");
}

TEST(FindOutfits, RanksByTheEfficiencyFigureAsThePlannerRoundsIt) {
    // Shield -60 alone shows -37.5 as -38; one Attack more shows -36.5 as -36, two more -35.5
    // as -36: rounding a half to the even neighbour adds a point the item itself does not.
    FinderCatalog catalog = Captioned();
    catalog.Slots[0] = {{"Cursed Hood", Effects({{kShield, -60}}, 0)}};
    catalog.Slots[3] = {{"Two", Effects({{kAttack, 2}}, 10)}, {"One", Effects({{kAttack, 1}}, 0)}};
    FinderRequest request;
    request.Locks[0] = {LockKind::Keep, "Cursed Hood"};
    request.Top = 1;
    const FinderResult result = FindOutfits(catalog, request);
    ASSERT_EQ(result.Outfits.size(), 1u);
    EXPECT_EQ(result.Outfits[0].Names[3], "One");
    EXPECT_EQ(result.Outfits[0].Efficiency, -36);
}

TEST(FindOutfits, AStopRequestEndsTheSearchWithoutAProof) {
    FinderCatalog catalog = Captioned();
    for (int slot = 0; slot < 4; ++slot)
        for (int i = 0; i < 30; ++i)
            catalog.Slots[slot].push_back(
                {std::string("I").append(std::to_string(i)),
                 Effects({{i % 8, i % 13}, {(i + 3) % 8, 7 - i % 5}}, i)});
    std::stop_source stop;
    stop.request_stop();
    const FinderResult result = FindOutfits(catalog, FinderRequest{}, stop.get_token());
    EXPECT_FALSE(result.Optimal);
    EXPECT_TRUE(FindOutfits(catalog, FinderRequest{}).Optimal);
}

TEST(FinderSummary, GroupsDigitsAndTellsTheProof) {
    FinderResult result;
    result.Outfits.resize(1);
    result.Combinations = 1'048'576;
    result.Examined = 2310;
    result.Optimal = true;
    result.Milliseconds = 6.04;
    EXPECT_EQ(FinderSummary(result),
              "Best of 1,048,576 outfits, proven optimal, 6.0 ms (2,310 examined)");
    result.Optimal = false;
    result.Milliseconds = 250.4;
    EXPECT_EQ(FinderSummary(result),
              "Best found so far of 1,048,576 outfits, stopped before the proof, 250 ms (2,310 "
              "examined)");
    EXPECT_EQ(GroupedNumber(0), "0");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_EQ(GroupedNumber(1000), "1,000");
    EXPECT_EQ(GroupedNumber(16032024008001), "16,032,024,008,001");
}

} // namespace
} // namespace zv
