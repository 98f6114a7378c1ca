// The outfit finder: the best 10 outfits on the shipped catalogues and on the scale set (2,000
// items per list, over 10^13 combinations), for a few budgets and objectives. Goals: median
// under 10 ms on the shipped data, under 100 ms on the scale set. Each run reports how many
// complete outfits the search weighed one by one ("examined") and of how many ("outfits").
// A third set, "random", has 2,000 items per list that are all different (the scale set repeats
// the shipped stats), so the pruning has no duplicates to lean on. "Plan" times the buying plan
// of one outfit with its games and hours.
//
//   finder_bench [--program-dir=DIR] [--scale-dir=DIR] [benchmark flags]
// The folders default to the environment variables ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR; the
// scale set is made with `zorvex-datagen --scale 2000 --out DIR`.
#include "BenchFlags.h"
#include "base/ProgramPaths.h"
#include "finder/BuyingPlan.h"
#include "finder/Finder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

struct Case {
    const char* name;
    std::optional<int64_t> budget;
    zv::Objective goal;
    std::array<std::optional<int>, zv::kStatCount> minimums{};
};

std::vector<Case> Cases() {
    zv::Objective attack;
    attack.Kind = zv::ObjectiveKind::Stat;
    attack.Stat = zv::kAttack;
    zv::Objective weighted;
    weighted.Kind = zv::ObjectiveKind::Weighted;
    weighted.Weights = {1, 2, -1, 2, 1, 0, 0, 1};
    std::array<std::optional<int>, zv::kStatCount> atLeast{};
    atLeast[zv::kAttack] = 20;
    atLeast[2] = -5; // Delay
    return {
        {"efficiency/50000", 50000, {}, {}},
        {"efficiency/250000", 250000, {}, {}},
        {"efficiency/unlimited", std::nullopt, {}, {}},
        {"efficiency/250000+minimums", 250000, {}, atLeast},
        {"attack/100000", 100000, attack, {}},
        {"weighted/250000", 250000, weighted, {}},
    };
}

void BM_Find(benchmark::State& state, std::shared_ptr<const zv::FinderCatalog> catalog, Case c) {
    zv::FinderRequest request;
    request.Budget = c.budget;
    request.Goal = c.goal;
    request.Minimums = c.minimums;
    zv::FinderResult result;
    for (auto _ : state) {
        result = zv::FindOutfits(*catalog, request);
        benchmark::DoNotOptimize(result.Outfits.data());
    }
    state.counters["examined"] = static_cast<double>(result.Examined);
    state.counters["outfits"] = static_cast<double>(result.Combinations);
    state.counters["optimal"] = result.Optimal ? 1 : 0;
    state.counters["best"] =
        result.Outfits.empty() ? 0 : static_cast<double>(result.Outfits.front().Value);
}

// The buying plan of a four-item outfit from the bare figure, with the games and hours of every
// step: it runs on the user-interface thread whenever a row is chosen. Figures that earn nothing
// are the worst case: each of the eight searches counts all 100,000 games.
void BM_Plan(benchmark::State& state, std::shared_ptr<const zv::FinderCatalog> catalog,
             bool earnsNothing) {
    zv::FoundOutfit outfit;
    for (int slot = 0; slot < zv::kItemSlotCount; ++slot) {
        outfit.Names[slot] = catalog->Slots[slot].front().Name;
        outfit.Positions[slot] = 0;
    }
    zv::WornOutfit bare;
    bare.Names = catalog->Captions;
    zv::BasicInputs figures;
    figures.GameTime = QStringLiteral("10");
    figures.WinRate = QStringLiteral("50");
    figures.GoldPerWin = earnsNothing ? QStringLiteral("0") : QStringLiteral("100");
    figures.GoldPerLoss = earnsNothing ? QStringLiteral("0") : QStringLiteral("50");
    for (auto _ : state) {
        zv::BuyingPlan plan = zv::PlanPurchases(*catalog, outfit, bare, zv::Objective{}, {});
        zv::AddEarningTimes(plan, figures, QLocale::c());
        benchmark::DoNotOptimize(plan.Steps.data());
    }
}

// Reading a gender's four lists with their records: once per gender and window.
void BM_LoadCatalog(benchmark::State& state, std::filesystem::path folder, int gender) {
    zv::SetProgramFolder(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::LoadFinderCatalog(gender));
}

// Every stat of every item drawn on its own: a fresh trade-off for each item.
std::shared_ptr<const zv::FinderCatalog> RandomCatalog(int perList) {
    auto catalog = std::make_shared<zv::FinderCatalog>();
    std::mt19937 random(20240613);
    std::uniform_int_distribution<int> stat(-6, 18);
    std::uniform_int_distribution<int> rare(0, 9);
    std::uniform_int_distribution<int> price(0, 400000);
    for (int slot = 0; slot < zv::kItemSlotCount; ++slot) {
        catalog->Captions[slot] = "Empty";
        for (int i = 0; i < perList; ++i) {
            zv::FinderItem item;
            item.Name = "Item " + std::to_string(slot) + "-" + std::to_string(i);
            for (const zv::FinderStat& s : zv::FinderStats)
                item.Effects.*s.Effect = static_cast<int16_t>(rare(random) < 4 ? stat(random) : 0);
            item.Effects.Cost = price(random) / 50 * 50;
            catalog->Slots[slot].push_back(std::move(item));
        }
    }
    return catalog;
}

void Register(const std::string& label, std::shared_ptr<const zv::FinderCatalog> catalog) {
    for (const Case& c : Cases()) {
        benchmark::RegisterBenchmark(("Find/" + label + "/" + c.name).c_str(), BM_Find, catalog, c)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}

void RegisterFolder(const std::string& label, const std::string& folder, const char* hint) {
    if (folder.empty() || !std::filesystem::is_directory(std::filesystem::path(folder) / "data")) {
        std::fprintf(stderr, "finder_bench: skipping the %s data: %s\n", label.c_str(), hint);
        return;
    }
    zv::SetProgramFolder(folder);
    for (int gender = 0; gender < 2; ++gender) {
        std::string error;
        auto catalog = zv::LoadFinderCatalog(gender, &error);
        if (!catalog) {
            std::fprintf(stderr, "finder_bench: skipping the %s data: %s\n", label.c_str(),
                         error.c_str());
            return;
        }
        const std::string name = label + (gender == 0 ? "/male" : "/female");
        Register(name, std::make_shared<const zv::FinderCatalog>(std::move(*catalog)));
        benchmark::RegisterBenchmark(("LoadCatalog/" + name).c_str(), BM_LoadCatalog,
                                     std::filesystem::path(folder), gender)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace

int main(int argc, char** argv) {
    const zvbench::DataSets sets = zvbench::TakeDataSets(argc, argv);
    RegisterFolder("shipped", sets.program, "give --program-dir or ZORVEX_PROGRAM_DIR");
    RegisterFolder("scale", sets.scale,
                   "give --scale-dir or ZORVEX_SCALE_DIR (zorvex-datagen --scale 2000 --out DIR)");
    const auto random = RandomCatalog(2000);
    Register("random", random);
    for (const bool worst : {false, true})
        benchmark::RegisterBenchmark(worst ? "Plan/earning-nothing" : "Plan/75-gold-a-game",
                                     BM_Plan, random, worst)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
