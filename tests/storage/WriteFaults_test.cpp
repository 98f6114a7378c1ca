// Slot and wardrobe writes that go wrong: a disk that fills up, a writer killed mid-write. Every
// file is left whole, old or new, and the two wardrobe files of a gender stay in step.
#include "base/AtomicFile.h"
#include "storage/SaveSlots.h"
#include "storage/Wardrobe.h"
#include "support/ProgramFolder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using zv::WardrobeEntry;
using zvtest::ProgramFolder;

namespace {

class WriteFaults : public ::testing::Test {
protected:
    void SetUp() override { folder.activate(); }
    std::set<std::string> dataNames() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.file("data")))
            names.insert(entry.path().filename().string());
        return names;
    }
    bool hasTemporaryFile() const {
        for (const auto& entry : std::filesystem::directory_iterator(folder.file("data")))
            if (entry.path().filename().string().rfind(".zorvex-tmp-", 0) == 0)
                return true;
        return false;
    }
    // Runs `body` in a child process that may write at most `limit` bytes into any one file
    // (as a full disk would allow) and returns the child's exit status.
    template <typename Body> int withFileSizeLimit(rlim_t limit, Body body) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limits{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &limits) != 0)
                ::_exit(100);
            ::_exit(body());
        }
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status));
        return WEXITSTATUS(status);
    }

    ProgramFolder folder;
};

std::vector<WardrobeEntry> Entries(int count, char letter, size_t nameLength) {
    std::vector<WardrobeEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({std::string(nameLength, static_cast<char>(letter + i % 3)),
                           zv::MakeWardrobeEntry("", static_cast<int16_t>(1 + i % 4)).KindText});
    return entries;
}

TEST_F(WriteFaults, AFullDiskDuringSaveAddAndRemoveChangesNoFile) {
    const std::vector<WardrobeEntry> five = Entries(5, 'a', 40);
    ASSERT_TRUE(zv::WriteWardrobe(2, five));
    const std::string slot = folder.read("data/save03.dat");
    const std::string names = folder.read("data/wardrobe02.dat");
    const std::string kinds = folder.read("data/wardrobe12.dat");
    const std::set<std::string> before = dataNames();

    // The new kind file (at most 30 bytes) fits, the new name file (160 bytes or more) does
    // not: the kind file written first must be put back.
    const int status = withFileSizeLimit(100, [] {
        std::string error;
        int failures = 0;
        const zv::SlotRecord record =
            zv::MakeSlotRecord(std::string(200, 'd'), 1, "Helmets", "Armor", "Goggles", "X");
        failures +=
            !zv::WriteSlotFile(3, record, &error) && error.find("save03.dat") != std::string::npos;
        failures += !zv::AddToWardrobe(2, zv::MakeWardrobeEntry("Moon Robe", 2), &error) &&
                    error.find("wardrobe02.dat") != std::string::npos;
        std::vector<WardrobeEntry> entries;
        zv::ReadWardrobe(2, entries);
        entries.erase(entries.begin() + 2);
        failures += !zv::WriteWardrobe(2, entries, &error);
        return failures;
    });
    EXPECT_EQ(status, 3) << "a write into a full disk was reported as done";
    EXPECT_EQ(folder.read("data/save03.dat"), slot);
    EXPECT_EQ(folder.read("data/wardrobe02.dat"), names);
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), kinds);
    EXPECT_EQ(dataNames(), before); // no temporary file left
}

// A writer killed at any moment leaves every file old or new, each one whole.
TEST_F(WriteFaults, AWriterKilledMidWriteLeavesEveryFileOldOrNew) {
    const zv::SlotRecord bigA =
        zv::MakeSlotRecord(std::string(1 << 20, 'a'), 0, "H", "A", "G", "X");
    const zv::SlotRecord bigB =
        zv::MakeSlotRecord(std::string(1 << 20, 'b'), 1, "H", "A", "G", "X");
    const std::vector<WardrobeEntry> wardrobeA = Entries(4, 'a', 1 << 18);
    const std::vector<WardrobeEntry> wardrobeB = Entries(6, 'k', 1 << 18);
    const std::string slotOld = folder.read("data/save01.dat");
    const std::set<std::string> slotFiles = {slotOld, zv::FormatSlotFile(bigA),
                                             zv::FormatSlotFile(bigB)};
    const std::set<std::string> nameFiles = {"", zv::WardrobeNameBytes(wardrobeA),
                                             zv::WardrobeNameBytes(wardrobeB)};
    const std::set<std::string> kindFiles = {"", zv::WardrobeKindBytes(wardrobeA),
                                             zv::WardrobeKindBytes(wardrobeB)};

    int killedMidWrite = 0;
    for (int round = 0; round < 8 || (killedMidWrite == 0 && round < 40); ++round) {
        SCOPED_TRACE(round);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (bool a = true;; a = !a) {
                zv::WriteSlotFile(1, a ? bigA : bigB);
                zv::WriteWardrobe(1, a ? wardrobeA : wardrobeB);
            }
        }
        if (round % 2 == 0) {
            // The moment a temporary file appears: in the middle of a write.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (!hasTemporaryFile() && std::chrono::steady_clock::now() < deadline) {
            }
        } else {
            // A little later each round, so that the moments differ.
            std::this_thread::sleep_for(std::chrono::milliseconds(3 * round));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        EXPECT_EQ(slotFiles.count(folder.read("data/save01.dat")), 1u) << "slot file mixed";
        EXPECT_EQ(nameFiles.count(folder.read("data/wardrobe01.dat")), 1u) << "name file mixed";
        EXPECT_EQ(kindFiles.count(folder.read("data/wardrobe11.dat")), 1u) << "kind file mixed";
        killedMidWrite += hasTemporaryFile();
        zv::RemoveStrayTemporaryFiles(folder.file("data"));
    }
    EXPECT_GT(killedMidWrite, 0) << "no round hit a write in progress";
}

} // namespace
