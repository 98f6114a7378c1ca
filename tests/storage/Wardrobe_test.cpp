// Wardrobe files: pairing the name and kind files, what an add and a rewrite leave in them.
#include "base/AtomicFile.h"
#include "storage/Wardrobe.h"
#include "support/ProgramFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using zv::WardrobeEntry;
using zvtest::ProgramFolder;

namespace zv {
void PrintTo(const WardrobeEntry& entry, std::ostream* out) {
    *out << '"' << entry.Name << "\" / \"" << entry.KindText << '"';
}
} // namespace zv

namespace {

class WardrobeFiles : public ::testing::Test {
protected:
    void SetUp() override { folder.activate(); }
    std::vector<WardrobeEntry> read(int gender) {
        std::vector<WardrobeEntry> entries;
        EXPECT_TRUE(zv::ReadWardrobe(gender, entries));
        return entries;
    }
    ProgramFolder folder;
};

TEST_F(WardrobeFiles, AddsGiveTheBytesOfAppendedLinesPerGender) {
    EXPECT_EQ(zv::WardrobeNameFile(1), folder.file("data/wardrobe01.dat"));
    EXPECT_EQ(zv::WardrobeKindFile(2), folder.file("data/wardrobe12.dat"));
    EXPECT_TRUE(read(2).empty()); // no files yet: an empty wardrobe

    ASSERT_TRUE(zv::AddToWardrobe(2, zv::MakeWardrobeEntry("Sweetheart Shades", 3)));
    ASSERT_TRUE(zv::AddToWardrobe(2, zv::MakeWardrobeEntry("Moon Robe", 2)));
    ASSERT_TRUE(zv::AddToWardrobe(2, zv::MakeWardrobeEntry("Moon Robe", 2))); // duplicates kept
    ASSERT_TRUE(zv::AddToWardrobe(1, zv::MakeWardrobeEntry("Frost Cap", 1)));
    EXPECT_EQ(folder.read("data/wardrobe02.dat"),
              "Sweetheart Shades\r\nMoon Robe\r\nMoon Robe\r\n");
    EXPECT_EQ(folder.read("data/wardrobe12.dat"), " 3 \r\n 2 \r\n 2 \r\n");
    EXPECT_EQ(folder.read("data/wardrobe01.dat"), "Frost Cap\r\n");
    EXPECT_EQ(folder.read("data/wardrobe11.dat"), " 1 \r\n");

    const std::vector<WardrobeEntry> female = read(2);
    ASSERT_EQ(female.size(), 3u);
    EXPECT_EQ(female[0].Name, "Sweetheart Shades");
    EXPECT_EQ(female[0].Kind(), 3);
    EXPECT_EQ(zv::WardrobeItemsOf(0), (std::vector<WardrobeEntry>{{"Frost Cap", " 1 "}}));
    EXPECT_EQ(zv::WardrobeItemsOf(1), female);
    EXPECT_TRUE(zv::WardrobeItemsOf(-1).empty());
}

TEST_F(WardrobeFiles, UnequalFilesPairToTheShorterAndTheNextWriteEvensThem) {
    folder.write("data/wardrobe01.dat", "A\r\nB\r\nC\r\nD\r\nE\r\n");
    folder.write("data/wardrobe11.dat", "1\n 4 \r\n3.0");
    EXPECT_EQ(read(1), (std::vector<WardrobeEntry>{{"A", "1"}, {"B", " 4 "}, {"C", "3.0"}}));

    ASSERT_TRUE(zv::AddToWardrobe(1, zv::MakeWardrobeEntry("F", 2)));
    // Kind lines keep the text they were read with; both files now have four lines.
    EXPECT_EQ(folder.read("data/wardrobe11.dat"), "1\r\n 4 \r\n3.0\r\n 2 \r\n");
    EXPECT_EQ(folder.read("data/wardrobe01.dat"), "A\r\nB\r\nC\r\nF\r\n");

    // More kinds than names pair the same way.
    folder.write("data/wardrobe12.dat", " 1 \r\n 2 \r\n");
    folder.write("data/wardrobe02.dat", "X\r\n");
    EXPECT_EQ(read(2), (std::vector<WardrobeEntry>{{"X", " 1 "}}));
}

TEST_F(WardrobeFiles, KindLinesReadAsSixteenBitIntegers) {
    const std::pair<const char*, int> cases[] = {{" 3 ", 3}, {"4", 4},    {"2.5", 2}, {"3.5", 4},
                                                 {"", 0},    {"helm", 0}, {"-1", -1}, {"40000", 0},
                                                 {"1e1", 0}, {" 1 x", 0}};
    for (const auto& [text, kind] : cases)
        EXPECT_EQ(zv::WardrobeKind(text), kind) << '"' << text << '"';
    EXPECT_EQ(zv::MakeWardrobeEntry("N", 4).KindText, " 4 ");
}

TEST_F(WardrobeFiles, RewriteLeavesFilesThatAlreadyHoldTheirBytesAlone) {
    ASSERT_TRUE(zv::AddToWardrobe(1, zv::MakeWardrobeEntry("A", 1)));
    const auto before = std::filesystem::last_write_time(folder.file("data/wardrobe01.dat"));
    // Same names, another kind: only the kind file is replaced.
    ASSERT_TRUE(zv::WriteWardrobe(1, {{"A", " 2 "}}));
    EXPECT_EQ(std::filesystem::last_write_time(folder.file("data/wardrobe01.dat")), before);
    EXPECT_EQ(folder.read("data/wardrobe11.dat"), " 2 \r\n");

    // An empty wardrobe without files creates none.
    ASSERT_TRUE(zv::WriteWardrobe(2, {}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/wardrobe02.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/wardrobe12.dat")));
}

TEST_F(WardrobeFiles, AFileThatCannotBeReadIsNeverWrittenOver) {
    std::filesystem::create_directory(folder.file("data/wardrobe01.dat"));
    folder.write("data/wardrobe11.dat", " 1 \r\n");
    std::vector<WardrobeEntry> entries;
    std::string error;
    EXPECT_FALSE(zv::ReadWardrobe(1, entries, &error));
    EXPECT_NE(error.find("wardrobe01.dat"), std::string::npos) << error;
    EXPECT_FALSE(zv::AddToWardrobe(1, zv::MakeWardrobeEntry("A", 1), &error));
    EXPECT_FALSE(zv::WriteWardrobe(1, {{"A", " 1 "}}, &error));
    EXPECT_EQ(folder.read("data/wardrobe11.dat"), " 1 \r\n");
}

} // namespace
