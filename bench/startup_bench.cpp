// Start-up against a bare window: starts the real program from a private copy of the program
// folder (offscreen) and the bare reference window (bare_window.cpp: the same size and menu bar,
// built with the same flags), alternately, and compares their times to the first painted frame
// (see base/ui/FirstFrameProbe.h for what that is) and their resident memory once started.
// Goals: the program at most 1.3x the bare window's time and 1.5x its memory, with the splash
// skipped and the music off; the splash's start is reported beside it.
//
//   startup_bench [--program-dir=DIR] [--runs=N] [--callgrind] [benchmark flags]
// DIR defaults to ZORVEX_PROGRAM_DIR, then to the build's program folder. --callgrind also counts
// the instructions of one start of each under valgrind (slow, but repeatable on a busy machine).
#include "BenchFlags.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Start {
    double ms = 0;    // from the spawn to the first painted frame
    double rssMb = 0; // resident memory shortly after that frame
};

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

double ResidentMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

std::vector<std::string> Environment(const fs::path& work, const char* firstFrame) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("ZORVEX_FIRST_FRAME=", 0) != 0 && entry.rfind("XDG_RUNTIME_DIR=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back(std::string("ZORVEX_FIRST_FRAME=") + firstFrame);
    env.push_back("ZORVEX_INSTANCE_LOCK=" + (work / "zorvex.lock").string());
    env.push_back("XDG_RUNTIME_DIR=" + (work / "run").string());
    if (!std::getenv("SDL_AUDIODRIVER"))
        env.push_back("SDL_AUDIODRIVER=dummy");
    return env;
}

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int out,
            int err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    std::vector<char*> args, vars;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& v : env)
        vars.push_back(const_cast<char*>(v.c_str()));
    vars.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), vars.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// One start: spawns, waits for the first-frame line, lets the start settle, reads the resident
// memory and ends the process.
std::optional<Start> StartOnce(const std::string& program, const fs::path& work) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const long long spawned = MonotonicNs();
    const pid_t pid = Spawn({program}, Environment(work, "1"), pipeFds[1], devNull);
    close(pipeFds[1]);
    close(devNull);
    if (pid < 0) {
        close(pipeFds[0]);
        return std::nullopt;
    }
    std::string text;
    long long frame = 0;
    const long long deadline = spawned + 60'000'000'000LL;
    while (frame == 0 && MonotonicNs() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0)
            continue;
        char buffer[256];
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
        std::istringstream lines(text);
        std::string word, window;
        while (lines >> word) {
            if (word == "first-frame" && (lines >> window >> frame))
                break;
            frame = 0;
        }
    }
    std::optional<Start> result;
    if (frame != 0) {
        std::this_thread::sleep_for(300ms);
        result = Start{static_cast<double>(frame - spawned) / 1e6, ResidentMb(pid)};
    }
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(50ms);
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    close(pipeFds[0]);
    return result;
}

// Instructions of one start up to its first frame, counted by callgrind; 0 when it cannot run.
double InstructionsOnce(const std::string& program, const fs::path& work) {
    const fs::path log = work / "callgrind.log";
    const int out = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int err = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid =
        Spawn({"/usr/bin/valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", program},
              Environment(work, "exit"), out, err);
    close(out);
    close(err);
    if (pid < 0)
        return 0;
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find("Collected : ");
        if (at != std::string::npos)
            return std::strtod(line.c_str() + at + 12, nullptr);
    }
    return 0;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// Rewrites "Key=value" lines of the settings file, keeping its CR LF line ends.
void SetSettings(const fs::path& settings,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    std::ifstream in(settings, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& [key, value] : values) {
        const std::string head = "\n" + key + "=";
        const auto at = text.find(head);
        if (at == std::string::npos)
            continue;
        const auto end = text.find("\r\n", at + 1);
        text.replace(at + head.size(), end - at - head.size(), value);
    }
    std::ofstream(settings, std::ios::binary | std::ios::trunc) << text;
}

struct Setup {
    fs::path work; // private copy of the program folder and the runtime folder
    std::string program;
    std::string bare;
    int runs = 15;
    bool callgrind = false;
};

void BM_Startup(benchmark::State& state, const Setup& setup, bool splash) {
    const fs::path settings = setup.work / "Zorvex" / "data" / "settings.ini";
    // Splash skipped: countdown 0 and the splash switched off; shown: countdown 0, switched on
    // (it then shows at every start without writing the countdown). The music stays off.
    SetSettings(settings,
                {{"Splashscreen", "0"}, {"ShowSplash", splash ? "0" : "1"}, {"SoundOn", "0"}});
    std::vector<double> programMs, bareMs, programMb, bareMb;
    const double loadBefore = LoadAverage();
    for (auto _ : state) {
        for (int i = 0; i < setup.runs; ++i) {
            // Alternately, so that a change in the machine's load meets both alike.
            for (const bool isProgram : {i % 2 == 0, i % 2 != 0}) {
                const auto start = StartOnce(isProgram ? setup.program : setup.bare, setup.work);
                if (!start) {
                    state.SkipWithError("a start never showed its first frame");
                    return;
                }
                (isProgram ? programMs : bareMs).push_back(start->ms);
                (isProgram ? programMb : bareMb).push_back(start->rssMb);
            }
        }
        state.SetIterationTime(Median(programMs) / 1e3);
    }
    const double p = Median(programMs), b = Median(bareMs);
    state.counters["program_ms"] = p;
    state.counters["bare_ms"] = b;
    state.counters["time_ratio"] = b > 0 ? p / b : 0;
    state.counters["program_MB"] = Median(programMb);
    state.counters["bare_MB"] = Median(bareMb);
    state.counters["rss_ratio"] = Median(bareMb) > 0 ? Median(programMb) / Median(bareMb) : 0;
    state.counters["load_avg"] = (loadBefore + LoadAverage()) / 2;
    if (setup.callgrind) {
        const double pi = InstructionsOnce(setup.program, setup.work);
        const double bi = InstructionsOnce(setup.bare, setup.work);
        state.counters["program_Minstr"] = pi / 1e6;
        state.counters["bare_Minstr"] = bi / 1e6;
        state.counters["instr_ratio"] = bi > 0 ? pi / bi : 0;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = zvbench::TakeDataSets(argc, argv).program;
    if (folder.empty())
        folder = ZORVEX_BUILD_PROGRAM_DIR;
    Setup setup;
    const std::string runs = zvbench::TakeFlag(argc, argv, "--runs");
    if (!runs.empty())
        setup.runs = std::max(1, std::atoi(runs.c_str()));
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--callgrind") == 0) {
            setup.callgrind = true;
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            argv[--argc] = nullptr;
            break;
        }
    }
    const fs::path source(folder);
    if (!fs::exists(source / "zorvex") || !fs::exists(source / "data" / "settings.ini")) {
        std::fprintf(stderr, "startup_bench: no assembled program folder at %s\n", folder.c_str());
        return 1;
    }
    std::string pattern = (fs::temp_directory_path() / "zv-startup-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "startup_bench: cannot make a temporary folder\n");
        return 1;
    }
    setup.work = pattern;
    fs::copy(source, setup.work / "Zorvex", fs::copy_options::recursive);
    fs::create_directory(setup.work / "run");
    fs::permissions(setup.work / "run", fs::perms::owner_all);
    setup.program = (setup.work / "Zorvex" / "zorvex").string();
    setup.bare = ZORVEX_BARE_WINDOW;

    benchmark::RegisterBenchmark("Startup/splash-skipped", BM_Startup, setup, false)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Startup/splash-shown", BM_Startup, setup, true)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(setup.work, ec);
    return 0;
}
