// A highlight in an item list's drop-down: what the entry would do to the outfit. Measured on
// the shipped program folder and on the scale data set (2,000 items per list). Goal: under 1 ms
// per highlight on the scale set, the window's part (overlays, panel, painting) included.
//
//   outfit_bench [--program-dir=DIR] [--scale-dir=DIR] [benchmark flags]
// The folders default to ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR; the scale set is made with
// `zorvex-datagen --scale 2000 --out DIR`.
#include "BenchFlags.h"
#include "app/ui/FormMain.h"
#include "base/ProgramPaths.h"
#include "outfit/Figures.h"
#include "outfit/OutfitCode.h"
#include "outfit/WornOutfit.h"
#include "outfit/ui/ItemDeltas.h"
#include "outfit/ui/OutfitFeatures.h"
#include "planner/Catalog.h"
#include "planner/OutfitChange.h"
#include "planner/ui/PlannerController.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kImageKey = "pqt528wkd71xr94bz3vm6lc0s";

struct Entry {
    const zv::ItemFamily* family;
    int row;
    std::string name;
};

// Entries of the male lists (and the accessories), spread over each list.
std::vector<Entry> MaleEntries(size_t perList) {
    std::vector<Entry> entries;
    for (const zv::ItemFamily& family : zv::ItemFamilies) {
        if (!zv::FamilyShownFor(family, 0))
            continue;
        const std::vector<std::string> names =
            zv::ReadListCatalog(zv::ProgramPath(family.ListCatalog));
        const size_t step = std::max<size_t>(1, names.size() / perList);
        for (size_t row = 0; row < names.size(); row += step)
            entries.push_back({&family, static_cast<int>(row), names[row]});
    }
    return entries;
}

// The figures of a highlight without the window: lookup, both totals, the comparison.
void BM_HighlightFigures(benchmark::State& state, const std::filesystem::path& folder) {
    zv::SetProgramFolder(folder);
    const std::vector<Entry> entries = MaleEntries(64);
    const zv::ItemEffects worn{.Stars = 4, .Shield = 9, .Attack = 3, .Cost = 1200};
    size_t next = 0;
    for (auto _ : state) {
        const Entry& entry = entries[next];
        next = (next + 1) % entries.size();
        std::array<zv::ItemEffects, 4> effects{worn, worn, worn, worn};
        const zv::TotalsDisplay now =
            zv::DisplayTotals(effects[0], effects[1], effects[2], effects[3]);
        zv::ItemEffects& slot = effects[static_cast<size_t>(entry.family->Slot) - 1];
        slot = zv::EffectsIfChosen(*entry.family, entry.name, slot);
        const zv::TotalsDisplay then =
            zv::DisplayTotals(effects[0], effects[1], effects[2], effects[3]);
        benchmark::DoNotOptimize(zv::CompareFigures(now, then));
    }
    state.counters["entries"] = static_cast<double>(entries.size());
}

// One main window per data set, built once (its start-up is not what is measured), with a
// worn outfit so that the overlays have something to differ from.
std::unique_ptr<zv::FormMain> MakeWindow(const std::filesystem::path& folder) {
    zv::SetProgramFolder(folder);
    auto form = std::make_unique<zv::FormMain>();
    form->planner().setImageKey(QString::fromLatin1(kImageKey));
    form->planner().LoadItemLists();
    form->show();
    form->controls().GenderBox->selectIndex(0);
    for (const zv::ItemFamily& family : zv::ItemFamilies) {
        if (zv::FamilyShownFor(family, 0))
            form->planner().listFor(family)->selectIndex(1);
    }
    return form;
}

// A highlight on the main window: the figures, the eight bar overlays, the panel, and the
// repaint that shows them.
void BM_HighlightWindow(benchmark::State& state, zv::FormMain* form,
                        const std::filesystem::path& folder) {
    zv::SetProgramFolder(folder);
    const std::vector<Entry> entries = MaleEntries(64);
    zv::ItemDeltas& deltas = form->outfit().deltas();
    size_t next = 0;
    for (auto _ : state) {
        const Entry& entry = entries[next];
        next = (next + 1) % entries.size();
        deltas.preview(*entry.family, entry.row);
        form->repaint();
    }
    deltas.endPreview();
    state.counters["entries"] = static_cast<double>(entries.size());
}

// An item click on the main window, with the undo history taking its step (`recorded`) or
// with the history not listening: the difference is what undo costs a click.
void BM_ItemClick(benchmark::State& state, zv::FormMain* form, const std::filesystem::path& folder,
                  bool recorded) {
    zv::SetProgramFolder(folder);
    const std::vector<Entry> entries = MaleEntries(16);
    zv::OutfitSteps& steps = form->planner().outfitSteps;
    const zv::OutfitSteps listening = steps;
    if (!recorded)
        steps = zv::OutfitSteps{};
    size_t next = 0;
    for (auto _ : state) {
        const Entry& entry = entries[next];
        next = (next + 1) % entries.size();
        form->planner().listFor(*entry.family)->selectIndex(entry.row);
    }
    steps = listening;
    state.counters["entries"] = static_cast<double>(entries.size());
}

// Reading a code as a paste does (before any item is put on).
void BM_DecodeOutfitCode(benchmark::State& state) {
    const std::string code =
        *zv::EncodeOutfitCode({1, {"Daisy Bow", std::string(200, 'x'), "Snorkel", std::nullopt}});
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::DecodeOutfitCode(code));
}

std::vector<std::unique_ptr<zv::FormMain>>& Windows() {
    static std::vector<std::unique_ptr<zv::FormMain>> windows;
    return windows;
}

void Register(const char* label, const std::string& folder, const char* hint) {
    if (folder.empty() || !std::filesystem::is_directory(std::filesystem::path(folder) / "data")) {
        std::fprintf(stderr, "outfit_bench: skipping the %s data: %s\n", label, hint);
        return;
    }
    const std::filesystem::path path(folder);
    const std::string name(label);
    benchmark::RegisterBenchmark(("HighlightFigures/" + name).c_str(), BM_HighlightFigures, path)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    Windows().push_back(MakeWindow(path));
    benchmark::RegisterBenchmark(("HighlightWindow/" + name).c_str(), BM_HighlightWindow,
                                 Windows().back().get(), path)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime()
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    for (const bool recorded : {true, false}) {
        benchmark::RegisterBenchmark(
            ((recorded ? "ItemClickWithUndo/" : "ItemClickWithoutUndo/") + name).c_str(),
            BM_ItemClick, Windows().back().get(), path, recorded)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto [program, scale] = zvbench::TakeDataSets(argc, argv);
    QApplication app(argc, argv);

    Register("shipped", program, "give --program-dir or ZORVEX_PROGRAM_DIR");
    Register("scale", scale,
             "give --scale-dir or ZORVEX_SCALE_DIR (zorvex-datagen --scale 2000 --out DIR)");
    benchmark::RegisterBenchmark("DecodeOutfitCode", BM_DecodeOutfitCode)
        ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Windows().clear();
    return 0;
}
