#pragma once
// A private program folder for one test: the installed user files (settings, slots), and when
// asked for, everything the build assembled (catalogues, pictures, skins, music).
#include <filesystem>
#include <string>

namespace zvtest {

class ProgramFolder {
public:
    enum class Contents { UserFilesOnly, Assembled };
    // The folder's name starts with `namePrefix` (any bytes, valid text or not).
    explicit ProgramFolder(Contents contents = Contents::UserFilesOnly,
                           const std::string& namePrefix = "zorvex-test-");
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& relative) const { return m_path / relative; }

    // Makes this the program folder of the running test.
    void activate() const;

    std::string read(const std::string& relative) const;
    void write(const std::string& relative, const std::string& bytes) const;

    // The assembled program folder of the build, or an empty path when unknown.
    static std::filesystem::path assembled();

private:
    std::filesystem::path m_path;
};

} // namespace zvtest
