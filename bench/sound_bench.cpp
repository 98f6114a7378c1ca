// Switching the music on, as the window's thread does it: opening the shipped looping track as a
// stream and starting it (then stopping it again). The track is read as it plays, so this costs
// the same whatever the track's length.
//
//   sound_bench [--program-dir=DIR] [benchmark flags]   (default: ZORVEX_PROGRAM_DIR)
#include "desktop/ui/FMod.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_MusicOn(benchmark::State& state, const std::string& track) {
    if (zv::FSOUND_Init(44100, 32, 0) == 0) {
        state.SkipWithError("the sound output does not start (set SDL_AUDIODRIVER=dummy)");
        return;
    }
    for (auto _ : state) {
        const int stream = zv::FSOUND_Stream_Open(track.c_str(), 2, 0, 0);
        benchmark::DoNotOptimize(zv::FSOUND_Stream_Play(-1, stream));
        zv::FSOUND_Stream_Stop(stream);
    }
    zv::FSOUND_Close();
}

} // namespace

int main(int argc, char** argv) {
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--program-dir=", 0) == 0)
            folder = arg.substr(14);
    }
    if (folder.empty() && std::getenv("ZORVEX_PROGRAM_DIR"))
        folder = std::getenv("ZORVEX_PROGRAM_DIR");
    const std::string track = (std::filesystem::path(folder) / "KV-ShopTilYouDrop.mp3").string();
    if (!std::filesystem::exists(track)) {
        std::fprintf(stderr, "sound_bench: no track at %s (give --program-dir)\n", track.c_str());
        return 1;
    }
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::RegisterBenchmark("MusicOn/shipped", BM_MusicOn, track)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
