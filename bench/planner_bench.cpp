// One item click end to end, as the main window runs it. WholeClick: on the real main window
// (offscreen), from the list's pick to the repainted window (the pending update painted and
// handed to the window system), reported as p50 and p90 with the paint events it caused; goal:
// p90 under 0.8 ms. "first-sight" empties the kept pictures before every click, so that each
// picture is read, unwrapped and decoded; "seen-before" clicks through items chosen before, as a
// player comparing items does. ItemClick (first sight): the same without the window (catalogue
// lookup, both pictures unwrapped and loaded, totals and their label texts). Measured on the
// shipped program folder and on the scale data set (2,000 items per list). The lookup alone also
// runs on a generated 10 MB catalogue whose names share a long beginning (linear time: a few
// milliseconds in a Release build).
//
//   planner_bench [--program-dir=DIR] [--scale-dir=DIR] [benchmark flags]
// The folders default to the environment variables ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR; the
// scale set is made with `zorvex-datagen --scale 2000 --out DIR`.
#include "BenchFlags.h"
#include "app/ui/FormMain.h"
#include "base/ProgramPaths.h"
#include "base/ui/MessageBox.h"
#include "base/ui/PictureBytes.h"
#include "planner/Catalog.h"
#include "planner/ItemFamily.h"
#include "planner/ItemSelection.h"
#include "planner/Totals.h"
#include "planner/ui/PlannerController.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
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
        state.PauseTiming();
        zv::ForgetUnwrappedPictures(); // every picture unwrapped as if for the first time
        state.ResumeTiming();
        const Choice& choice = choices[next];
        next = (next + 1) % choices.size();
        zv::ItemEffects& effects = worn[static_cast<int>(choice.family->Slot)];
        const zv::SelectionOutcome outcome =
            zv::SelectItem(*choice.family, choice.name, effects, kImageKey, std::string());
        for (const auto& bytes : {outcome.ItemPicture, outcome.PreviewPicture}) {
            if (!bytes)
                continue;
            const QPixmap pixmap = zv::PictureFromBytes(*bytes);
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

// Counts the paint events of one window's widgets, and the window's repaint passes.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            ++paints;
        if (event->type() == QEvent::UpdateRequest)
            ++passes;
        return false;
    }
    long paints = 0;
    long passes = 0;
};

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// The whole click on the main window: the list's Click runs the selection handler, then the
// update it asked for is painted. A change of gender between choices is not timed.
void BM_WholeClick(benchmark::State& state, const std::filesystem::path& folder,
                   const std::vector<Choice>& choices, bool firstSight) {
    zv::SetProgramFolder(folder);
    QTemporaryDir lockDir;
    zv::FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
    zv::SetMessageAnswerer([](const zv::MessageRequest&) {}); // a set without settings or skin
    auto form = std::make_unique<zv::FormMain>();
    if (!form->Form_Load()) {
        state.SkipWithError("the main window did not load");
        return;
    }
    QCoreApplication::processEvents();
    PaintCounter counter;
    for (QWidget* widget : form->findChildren<QWidget*>())
        widget->installEventFilter(&counter);
    form->installEventFilter(&counter);

    std::vector<double> micros;
    long paints = 0;
    long passes = 0;
    int gender = -1;
    size_t next = 0;
    for (auto _ : state) {
        const Choice& choice = choices[next];
        next = (next + 1) % choices.size();
        const int wanted = choice.family->Gender == zv::FamilyGender::Female ? 1 : 0;
        if (wanted != gender && choice.family->Gender != zv::FamilyGender::Both) {
            form->controls().GenderBox->selectIndex(wanted);
            QCoreApplication::sendPostedEvents();
            gender = wanted;
        } else if (gender < 0) {
            form->controls().GenderBox->selectIndex(0);
            QCoreApplication::sendPostedEvents();
            gender = 0;
        }
        zv::ItemList* list = form->planner().listFor(*choice.family);
        const int index = list->findText(QString::fromLatin1(choice.name.c_str()));
        if (firstSight) {
            zv::ForgetUnwrappedPictures();
            form->planner().ForgetDecodedPictures();
        }
        counter.paints = 0;
        counter.passes = 0;
        const auto start = std::chrono::steady_clock::now();
        list->selectIndex(index);
        QCoreApplication::sendPostedEvents(); // the update request: paint and flush
        const auto stop = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
        paints += counter.paints;
        passes += counter.passes;
    }
    state.counters["p50_us"] = Percentile(micros, 0.5);
    state.counters["p90_us"] = Percentile(micros, 0.9);
    state.counters["paints/click"] =
        static_cast<double>(paints) / static_cast<double>(state.iterations());
    state.counters["passes/click"] =
        static_cast<double>(passes) / static_cast<double>(state.iterations());
    form.reset();
    zv::SetMessageAnswerer({});
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

// The parts of a click, to see where its time goes: one picture read and unwrapped, and one
// picture loaded into a pixmap.
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
    for (auto _ : state) {
        state.PauseTiming();
        zv::ForgetUnwrappedPictures();
        state.ResumeTiming();
        benchmark::DoNotOptimize(zv::UnwrapPicture(picture, kImageKey, std::string()));
    }
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
        const QPixmap pixmap = zv::PictureFromBytes(*bytes);
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
    for (const bool firstSight : {true, false}) {
        const std::string variant = firstSight ? "/first-sight" : "/seen-before";
        benchmark::RegisterBenchmark(("WholeClick/" + name + variant).c_str(), BM_WholeClick, path,
                                     choices, firstSight)
            ->Unit(benchmark::kMicrosecond)
            ->UseManualTime()
            ->MinTime(2.0);
    }
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
    QApplication app(argc, argv); // the main window of WholeClick

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
