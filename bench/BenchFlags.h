#pragma once
// Command-line and environment settings shared by the benchmark programs.
#include <QByteArray>
#include <QtGlobal>
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

inline std::string FromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? std::string(value) : std::string();
}

// The shipped program folder and the scale data set: from --program-dir and --scale-dir, else
// from ZORVEX_PROGRAM_DIR and ZORVEX_SCALE_DIR (empty when given neither way). Also makes Qt
// run without a display unless a platform is chosen.
struct DataSets {
    std::string program;
    std::string scale;
};
inline DataSets TakeDataSets(int& argc, char** argv) {
    DataSets sets{TakeFlag(argc, argv, "--program-dir"), TakeFlag(argc, argv, "--scale-dir")};
    if (sets.program.empty())
        sets.program = FromEnvironment("ZORVEX_PROGRAM_DIR");
    if (sets.scale.empty())
        sets.scale = FromEnvironment("ZORVEX_SCALE_DIR");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return sets;
}

} // namespace zvbench
