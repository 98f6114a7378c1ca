// One item click end to end, as the main window runs it: catalogue lookup, both pictures
// unwrapped and loaded, totals and their label texts. Measured on the shipped program folder
// and on the scale data set (2,000 items per list). Goals: median under 1 ms on the shipped
// data, under 5 ms on the scale set. The lookup alone also runs on a generated 10 MB catalogue
// whose names share a long beginning (linear time: a few milliseconds in a Release build).
//
//   planner_bench [--program-dir=DIR] [--scale-dir=DIR] [benchmark flags]
// The folders default to the environment variables ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR; the
// scale set is made with `zorvex-datagen --scale 2000 --out DIR`.
#include "BenchFlags.h"
#include "base/ProgramPaths.h"
#include "planner/Catalog.h"
#include "planner/ItemFamily.h"
#include "planner/ItemSelection.h"
#include "planner/Totals.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string kImageKey = "pqt528wkd71xr94bz3vm6lc0s";

struct Choice {
    const zv::ItemFamily* family;
    std::string name;
};

// Listed items with a detail record, spread evenly over each of the seven lists.
std::vector<Choice> CollectChoices(size_t perList) {
    std::vector<Choice> choices;
    for (const zv::ItemListContents& list : zv::LoadAllItemLists()) {
        const zv::ItemFamily& family = *list.Family;
        const size_t count = list.Entries.size();
        const size_t step = std::max<size_t>(1, count / perList);
        for (size_t i = 0; i < count; i += step) {
            const std::string& name = list.Entries[i];
            if (!name.empty() &&
                !zv::FindItemRecord(zv::ProgramPath(family.DetailCatalog), name).Name.empty())
                choices.push_back({&family, name});
        }
    }
    return choices;
}

// Rotates over the choices so that every catalogue and picture takes its turn.
void BM_ItemClick(benchmark::State& state, const std::filesystem::path& folder,
                  const std::vector<Choice>& choices) {
    zv::SetProgramFolder(folder);
    zv::ItemEffects worn[5];
    size_t next = 0;
    size_t pictures = 0;
    for (auto _ : state) {
        const Choice& choice = choices[next];
        next = (next + 1) % choices.size();
        zv::ItemEffects& effects = worn[static_cast<int>(choice.family->Slot)];
        const zv::SelectionOutcome outcome =
            zv::SelectItem(*choice.family, choice.name, effects, kImageKey, std::string());
        for (const auto& bytes : {outcome.ItemPicture, outcome.PreviewPicture}) {
            if (!bytes)
                continue;
            const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()),
                                                  static_cast<int>(bytes->size()));
            const QPixmap pixmap = QPixmap::fromImage(image);
            benchmark::DoNotOptimize(pixmap.cacheKey());
            pictures += pixmap.isNull() ? 0 : 1;
        }
        const zv::PlannerTotals totals = zv::ComputeTotals(worn[1], worn[2], worn[3], worn[4]);
        for (const zv::StatDisplay& stat : zv::StatDisplays) {
            benchmark::DoNotOptimize(zv::BarPictureNumber(totals.*stat.Total));
            benchmark::DoNotOptimize(zv::ShowsNegativeMarker(totals.*stat.Total));
        }
        benchmark::DoNotOptimize(zv::CostLabelText(totals.TotalCost));
        benchmark::DoNotOptimize(zv::EfficiencyLabelText(zv::AvatarEfficiency(totals)));
    }
    state.counters["items"] = static_cast<double>(choices.size());
    state.counters["pictures/click"] =
        static_cast<double>(pictures) / static_cast<double>(state.iterations());
}

// The catalogue lookup alone: it reads the whole detail catalogue on every click.
void BM_FindItemRecord(benchmark::State& state, const std::filesystem::path& folder) {
    zv::SetProgramFolder(folder);
    const zv::ItemFamily& family = zv::ItemFamilies[0];
    const std::filesystem::path catalogue = zv::ProgramPath(family.DetailCatalog);
    const std::vector<std::string> names = zv::ReadListCatalog(zv::ProgramPath(family.ListCatalog));
    if (names.empty()) {
        state.SkipWithError("the helmet list catalogue is missing or empty");
        return;
    }
    const std::string& last = names.back();
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::FindItemRecord(catalogue, last));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(catalogue)));
}

// A detail catalogue of about 10 MB whose names share a 2,000-character beginning of one repeated
// letter, looked up by its last name (argument 0) and by the first half of that beginning, which
// lies a thousand times in every name line but is no line of its own (argument 1): each lookup
// must stay linear in the file's size.
void BM_FindItemRecordSharedPrefix(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zv-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        state.SkipWithError("cannot make a temporary folder");
        return;
    }
    const std::filesystem::path folder(pattern);
    const std::filesystem::path catalogue = folder / "male11.dat";
    const std::string prefix(2000, 'n');
    const std::string part = prefix.substr(0, 1000);
    std::string text;
    std::string last;
    for (int i = 0; text.size() < 10'000'000; ++i) {
        last = prefix + std::to_string(i);
        text += last + "\r\npicture\r\nlayer\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n100\r\n";
    }
    if (FILE* out = std::fopen(catalogue.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    const std::string& name = state.range(0) == 0 ? last : part;
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::FindItemRecord(catalogue, name));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

// The parts of a click, to see where its time goes: one picture through the temporary files
// and the codec, and one picture loaded into a pixmap.
void BM_UnwrapPicture(benchmark::State& state, const std::filesystem::path& folder,
                      const std::vector<Choice>& choices) {
    zv::SetProgramFolder(folder);
    const Choice& choice = choices.front();
    const zv::ItemRecord record =
        zv::FindItemRecord(zv::ProgramPath(choice.family->DetailCatalog), choice.name);
    const std::filesystem::path picture = zv::ProgramPath(zv::ItemPicturePath(record));
    if (!zv::UnwrapPicture(picture, kImageKey, std::string())) {
        state.SkipWithError("the first item's picture does not unwrap");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(zv::UnwrapPicture(picture, kImageKey, std::string()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(picture)));
}

void BM_LoadPicture(benchmark::State& state, const std::filesystem::path& folder,
                    const std::vector<Choice>& choices) {
    zv::SetProgramFolder(folder);
    const Choice& choice = choices.front();
    const zv::ItemRecord record =
        zv::FindItemRecord(zv::ProgramPath(choice.family->DetailCatalog), choice.name);
    const auto bytes =
        zv::UnwrapPicture(zv::ProgramPath(zv::ItemPicturePath(record)), kImageKey, std::string());
    if (!bytes) {
        state.SkipWithError("the first item's picture does not unwrap");
        return;
    }
    for (auto _ : state) {
        const QPixmap pixmap = QPixmap::fromImage(QImage::fromData(
            reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size())));
        benchmark::DoNotOptimize(pixmap.cacheKey());
    }
}

void Register(const char* label, const std::string& folder, const char* hint) {
    if (folder.empty() || !std::filesystem::is_directory(std::filesystem::path(folder) / "data")) {
        std::fprintf(stderr, "planner_bench: skipping the %s data: %s\n", label, hint);
        return;
    }
    const std::filesystem::path path(folder);
    zv::SetProgramFolder(path);
    const std::vector<Choice> choices = CollectChoices(64);
    if (choices.empty()) {
        std::fprintf(stderr, "planner_bench: skipping the %s data: no item has a record\n", label);
        return;
    }
    const std::string name(label);
    benchmark::RegisterBenchmark(("ItemClick/" + name).c_str(), BM_ItemClick, path, choices)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime()
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("UnwrapPicture/" + name).c_str(), BM_UnwrapPicture, path, choices)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("LoadPicture/" + name).c_str(), BM_LoadPicture, path, choices)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("FindItemRecord/" + name).c_str(), BM_FindItemRecord, path)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv) {
    const auto [program, scale] = zvbench::TakeDataSets(argc, argv);
    QGuiApplication app(argc, argv); // QPixmap needs it

    Register("shipped", program, "give --program-dir or ZORVEX_PROGRAM_DIR");
    benchmark::RegisterBenchmark("FindItemRecord/shared-prefix-10MB", BM_FindItemRecordSharedPrefix)
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    Register("scale", scale,
             "give --scale-dir or ZORVEX_SCALE_DIR (zorvex-datagen --scale 2000 --out DIR)");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
