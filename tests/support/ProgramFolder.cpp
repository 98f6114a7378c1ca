#include "support/ProgramFolder.h"

#include "base/ProgramPaths.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace zvtest {
namespace {

// A folder the build told the tests about: from the environment, else as built in.
fs::path BuildFolder(const char* variable, const char* builtIn) {
    const char* value = std::getenv(variable);
    return fs::path(value && *value ? value : builtIn);
}

} // namespace

fs::path ProgramFolder::assembled() {
    return BuildFolder("ZORVEX_PROGRAM_DIR", ZORVEX_DEFAULT_PROGRAM_DIR);
}

ProgramFolder::ProgramFolder(Contents contents, const std::string& namePrefix) {
    std::string pattern = (fs::temp_directory_path() / (namePrefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary program folder");
    m_path = pattern;
    fs::create_directories(m_path / "data");

    if (contents == Contents::Assembled && !assembled().empty()) {
        for (const auto& entry : fs::directory_iterator(assembled())) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && name.rfind("zorvex", 0) == 0)
                continue; // the programs themselves are not data
            fs::copy(entry.path(), m_path / name,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        }
    }
    const fs::path userFiles =
        BuildFolder("ZORVEX_SOURCE_DIR", ZORVEX_DEFAULT_SOURCE_DIR) / "assets" / "userdata";
    if (fs::exists(userFiles)) {
        for (const auto& entry : fs::directory_iterator(userFiles))
            fs::copy_file(entry.path(), m_path / "data" / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    }
}

ProgramFolder::~ProgramFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void ProgramFolder::activate() const {
    zv::SetProgramFolder(m_path);
}

std::string ProgramFolder::read(const std::string& relative) const {
    std::ifstream in(file(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ProgramFolder::write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories(file(relative).parent_path());
    std::ofstream(file(relative), std::ios::binary) << bytes;
}

} // namespace zvtest
