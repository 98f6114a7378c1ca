// Loading a save slot end to end, as Load > Slot N runs it on the main window: the slot file
// read, the preview reset twice (by the load and by the gender it chooses), the four names set
// and their four selections with pictures and totals. Measured on the shipped program folder
// and on the scale data set (2,000 items per list). Goal: median under 5 ms on the scale set.
//
//   storage_bench [--program-dir=DIR] [--scale-dir=DIR] [benchmark flags]
// The folders default to the environment variables ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR; the
// scale set is made with `zorvex-datagen --scale 2000 --out DIR`.
#include "BenchFlags.h"
#include "app/ui/FormMain.h"
#include "base/AtomicFile.h"
#include "base/ProgramPaths.h"
#include "planner/ItemFamily.h"
#include "planner/ui/PlannerController.h"
#include "storage/SaveSlots.h"
#include "storage/ui/StorageController.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kImageKey = "pqt528wkd71xr94bz3vm6lc0s";
constexpr int kOutfits = 16;

// One main window per data set, built once (its start-up is not what is measured).
struct Planner {
    std::filesystem::path folder;
    std::unique_ptr<zv::FormMain> form;
    std::vector<std::filesystem::path> slotFiles; // outfits over both genders, spread over lists
};

std::unique_ptr<Planner> MakePlanner(const std::filesystem::path& folder, const QString& slotDir) {
    zv::SetProgramFolder(folder);
    auto planner = std::make_unique<Planner>();
    planner->folder = folder;
    planner->form = std::make_unique<zv::FormMain>();
    planner->form->planner().setImageKey(QString::fromLatin1(kImageKey));
    planner->form->planner().LoadItemLists();

    for (int outfit = 0; outfit < kOutfits; ++outfit) {
        const int gender = outfit % 2;
        std::string names[4];
        const zv::SlotKind kinds[] = {zv::SlotKind::Helmet, zv::SlotKind::Armor,
                                      zv::SlotKind::Goggles, zv::SlotKind::Accessory};
        for (int k = 0; k < 4; ++k) {
            const zv::ItemList* list =
                planner->form->planner().listFor(*zv::ItemFamilyFor(gender, kinds[k]));
            const int count = list->count();
            if (count == 0)
                return nullptr;
            names[k] = list->itemText((outfit * count) / kOutfits).toLatin1().toStdString();
        }
        const std::filesystem::path file =
            slotDir.toStdString() + "/save" + std::to_string(outfit) + ".dat";
        const zv::SlotRecord record =
            zv::MakeSlotRecord("Outfit", gender, names[0], names[1], names[2], names[3]);
        if (!zv::WriteFileAtomically(file, zv::FormatSlotFile(record)))
            return nullptr;
        planner->slotFiles.push_back(file);
    }
    return planner;
}

void BM_LoadSlot(benchmark::State& state, Planner* planner) {
    zv::SetProgramFolder(planner->folder);
    zv::StorageController& storage = planner->form->storage();
    size_t next = 0;
    for (auto _ : state) {
        const zv::SlotReadResult read = zv::ReadSlotFile(planner->slotFiles[next]);
        next = (next + 1) % planner->slotFiles.size();
        if (!read.Record) {
            state.SkipWithError("a slot file could not be read back");
            return;
        }
        storage.SlotRecord = *read.Record;
        storage.ApplySlotRecord();
    }
    state.counters["outfits"] = static_cast<double>(planner->slotFiles.size());
}

} // namespace

int main(int argc, char** argv) {
    const auto [program, scale] = zvbench::TakeDataSets(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir slotFolder; // the outfits' slot files, outside the data sets

    std::vector<std::unique_ptr<Planner>> planners;
    const std::pair<const char*, std::string> sets[] = {{"shipped", program}, {"scale", scale}};
    for (const auto& [label, folder] : sets) {
        if (folder.empty() ||
            !std::filesystem::is_directory(std::filesystem::path(folder) / "data")) {
            std::fprintf(stderr, "storage_bench: skipping the %s data: give --%s-dir\n", label,
                         std::string(label) == "shipped" ? "program" : "scale");
            continue;
        }
        const QString dir = slotFolder.filePath(QString::fromLatin1(label));
        std::filesystem::create_directories(dir.toStdString());
        auto planner = MakePlanner(folder, dir);
        if (!planner) {
            std::fprintf(stderr, "storage_bench: skipping the %s data: empty item lists\n", label);
            continue;
        }
        benchmark::RegisterBenchmark((std::string("LoadSlot/") + label).c_str(), BM_LoadSlot,
                                     planner.get())
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Repetitions(9)
            ->ReportAggregatesOnly(true);
        planners.push_back(std::move(planner));
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
