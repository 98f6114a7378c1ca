#pragma once
// What the data benchmarks share: the folders they measure on and their main's last steps.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace zvbench {

// Takes "--name=VALUE" or "--name VALUE" out of argv.
inline std::string TakeFlag(int& argc, char** argv, const std::string& name) {
    std::string value;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int used = 0;
        if (arg.rfind(name + "=", 0) == 0) {
            value = arg.substr(name.size() + 1);
            used = 1;
        } else if (arg == name && i + 1 < argc) {
            value = argv[i + 1];
            used = 2;
        }
        if (used) {
            for (int j = i; j + used < argc; ++j)
                argv[j] = argv[j + used];
            argc -= used;
            argv[argc] = nullptr;
            --i;
        }
    }
    return value;
}

// The shipped program folder and the scale set (2,000 items per list): --program-dir and
// --scale-dir, else the environment variables ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR.
struct DataFolders {
    std::string program;
    std::string scale;
};
inline DataFolders TakeDataFolders(int& argc, char** argv) {
    DataFolders folders{TakeFlag(argc, argv, "--program-dir"), TakeFlag(argc, argv, "--scale-dir")};
    auto orEnvironment = [](std::string& value, const char* variable) {
        const char* set = std::getenv(variable);
        if (value.empty() && set)
            value = set;
    };
    orEnvironment(folders.program, "ZORVEX_PROGRAM_DIR");
    orEnvironment(folders.scale, "ZORVEX_SCALE_DIR");
    return folders;
}

// Runs what was registered with the flags left; 1 for a flag the library does not know.
inline int RunBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zvbench
