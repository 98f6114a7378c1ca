#include "PlannerFixture.h"
#include "planner/Catalog.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::CrLfLines;

class CatalogTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

std::string Record(std::string_view name, std::string_view picture, std::string_view cost) {
    return CrLfLines({name, std::string(picture) + "-item", std::string(picture) + "-layer", "1",
                      "2", "3", "4", "5", "6", "7", "8", cost});
}

TEST_F(CatalogTest, FindsTheRecordWithEveryFieldInFileOrder) {
    const auto file = folder.write("male11.dat", Record("Iron Cap", "cap", "100") +
                                                     Record("Leather Hood", "hood", "250"));
    std::string error = "stale";
    const ItemRecord r = FindItemRecord(file, "Leather Hood", &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(r, (ItemRecord{"Leather Hood", "hood-item", "hood-layer", "1", "2", "3", "4", "5",
                             "6", "7", "8", "250"}));
}

TEST_F(CatalogTest, ALaterRecordOfTheSameNameWins) {
    const auto file =
        folder.write("d.dat", Record("Cap", "first", "1") + Record("Other", "o", "2") +
                                  Record("Cap", "second", "3"));
    const ItemRecord r = FindItemRecord(file, "Cap");
    EXPECT_EQ(r.ItemPicture, "second-item");
    EXPECT_EQ(r.Cost, "3");
}

TEST_F(CatalogTest, MatchesTheWholeLineCaseSensitively) {
    const auto file = folder.write("d.dat", Record("Iron Cap", "cap", "1"));
    EXPECT_EQ(FindItemRecord(file, "iron cap"), ItemRecord{});
    EXPECT_EQ(FindItemRecord(file, "Iron"), ItemRecord{});
    EXPECT_EQ(FindItemRecord(file, "Iron Cap "), ItemRecord{});
    EXPECT_EQ(FindItemRecord(file, "Iron Cap").Name, "Iron Cap");
}

TEST_F(CatalogTest, MatchesLinesNotRecords) {
    // Record "5" holds "5" again as its Stars field: consumed, so not a fresh match.
    const auto named = folder.write("a.dat", Record("5", "five", "50"));
    const ItemRecord r = FindItemRecord(named, "5");
    EXPECT_EQ(r.ItemPicture, "five-item");
    EXPECT_EQ(r.Stars, "5");
    EXPECT_EQ(r.Cost, "50");

    // Outside a match every line is a candidate, even a number field.
    const auto other = folder.write("b.dat", Record("Cap", "c", "9"));
    const ItemRecord stray = FindItemRecord(other, "5");
    EXPECT_EQ(stray.Name, "5");
    EXPECT_EQ(stray.ItemPicture, "6");
    EXPECT_EQ(stray.ShieldRegen, "");
}

// A name that is only part of a longer line never matches inside it, wherever it sits there.
TEST_F(CatalogTest, ANameInsideALongerLineIsNoMatch) {
    // Records whose numbers are all "0", so no field line equals a name below.
    auto Zeros = [](std::string_view name, std::string_view picture, std::string_view cost) {
        return CrLfLines({name, std::string(picture) + "-item", std::string(picture) + "-layer",
                          "0", "0", "0", "0", "0", "0", "0", "0", cost});
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        // One repeated character: "aa" lies twice in "aaa", the second time at its end.
        {"aa", Zeros("aaa", "long", "1") + Zeros("Cap", "c", "2")},
        // One character, twice in a row in a number field.
        {"5", Zeros("Cap", "c", "55")},
        // The name ends another line.
        {"Cap", Zeros("Iron Cap", "iron", "3") + Zeros("CapCap", "double", "4")},
        {"Hood", CrLfLines({"HoodHood", "x", "y"}) + Zeros("Cap", "c", "5")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindItemRecord(folder.write("d.dat", c.text), c.name), ItemRecord{});
    }

    // The same names as whole lines after such lines are found with their own fields.
    const auto file =
        folder.write("e.dat", Zeros("aaa", "long", "1") + Zeros("aa", "short", "2") +
                                  Zeros("55", "double", "3") + Zeros("5", "single", "4"));
    EXPECT_EQ(FindItemRecord(file, "aa").ItemPicture, "short-item");
    EXPECT_EQ(FindItemRecord(file, "aa").Cost, "2");
    EXPECT_EQ(FindItemRecord(file, "5").ItemPicture, "single-item");
    EXPECT_EQ(FindItemRecord(file, "5").Cost, "4");
}

// Names that share a long beginning: each lookup still finds exactly its own record.
TEST_F(CatalogTest, NamesSharingALongPrefixFindTheirOwnRecords) {
    const std::string prefix(4000, 'x');
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += Record(prefix + std::to_string(i), std::string("p").append(std::to_string(i)),
                       std::to_string(i));
    const auto file = folder.write("d.dat", text);
    for (int i : {0, 1, 10, 19, 100, 199}) {
        const ItemRecord r = FindItemRecord(file, prefix + std::to_string(i));
        EXPECT_EQ(r.ItemPicture, std::string("p").append(std::to_string(i)).append("-item"));
        EXPECT_EQ(r.Cost, std::to_string(i));
    }
    EXPECT_EQ(FindItemRecord(file, prefix), ItemRecord{});
    EXPECT_EQ(FindItemRecord(file, prefix + "2000"), ItemRecord{});
}

TEST_F(CatalogTest, ARecordCutShortKeepsTheFieldsOfAnEarlierMatch) {
    const auto file =
        folder.write("d.dat", Record("Cap", "old", "100") + CrLfLines({"Cap", "new", "new-layer"}));
    const ItemRecord r = FindItemRecord(file, "Cap");
    EXPECT_EQ(r.ItemPicture, "new");
    EXPECT_EQ(r.PreviewPicture, "new-layer");
    EXPECT_EQ(r.Delay, "1");
    EXPECT_EQ(r.Cost, "100");
}

TEST_F(CatalogTest, ARecordCutShortAloneLeavesTheRestEmpty) {
    // No line end after the last line either.
    const auto file = folder.write("d.dat", "Cap\r\npic\r\nlayer\r\n7");
    const ItemRecord r = FindItemRecord(file, "Cap");
    EXPECT_EQ(r, (ItemRecord{"Cap", "pic", "layer", "7", "", "", "", "", "", "", "", ""}));
}

TEST_F(CatalogTest, EmptyLinesAreFieldsAndLoneCarriageReturnsEndLines) {
    const auto file = folder.write(
        "d.dat", "Junk\rCap\rpic\r\r\n-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n12\r\nAfter\r\n");
    const ItemRecord r = FindItemRecord(file, "Cap");
    EXPECT_EQ(r, (ItemRecord{"Cap", "pic", "", "-1", "", "", "", "", "", "", "", "12"}));
    // "After" follows the consumed lines and is a candidate name again.
    EXPECT_EQ(FindItemRecord(file, "After").Name, "After");
}

TEST_F(CatalogTest, ANameThatIsNotThereGivesAnEmptyRecord) {
    const auto file = folder.write("d.dat", Record("Cap", "c", "1"));
    std::string error;
    EXPECT_EQ(FindItemRecord(file, "Helmets", &error), ItemRecord{});
    EXPECT_EQ(error, "");
    EXPECT_EQ(FindItemRecord(file, "Cap\r\nc"), ItemRecord{});
}

TEST_F(CatalogTest, AMissingCatalogueGivesAnEmptyRecordAndNamesTheFile) {
    const auto missing = folder.path() / "Female12.dat";
    std::string error;
    EXPECT_EQ(FindItemRecord(missing, "Cap", &error), ItemRecord{});
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;

    // A folder in place of the file is just as unreadable.
    std::filesystem::create_directories(folder.path() / "acce11.dat");
    EXPECT_EQ(FindItemRecord(folder.path() / "acce11.dat", "Cap", &error), ItemRecord{});
    EXPECT_NE(error.find("acce11.dat"), std::string::npos) << error;
}

TEST_F(CatalogTest, AListCatalogueKeepsEveryLineUnchanged) {
    const auto file = folder.write("male01.dat", "Iron Cap\r\n\r\n  Hood \r\nLast");
    std::string error = "stale";
    EXPECT_EQ(ReadListCatalog(file, &error),
              (std::vector<std::string>{"Iron Cap", "", "  Hood ", "Last"}));
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadListCatalog(folder.write("empty.dat", "")), std::vector<std::string>{});
    EXPECT_EQ(ReadListCatalog(folder.write("blank.dat", "\r\n")), std::vector<std::string>{""});
}

} // namespace
} // namespace zv
