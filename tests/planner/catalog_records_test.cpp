// Reading many records at once gives exactly what one lookup per name gives.
#include "PlannerFixture.h"
#include "planner/CatalogRecords.h"

#include <gtest/gtest.h>
#include <random>

namespace zv {
namespace {

TEST(FindItemRecords, AgreesWithOneLookupPerNameOnTangledCatalogues) {
    test::TempFolder folder;
    std::mt19937 random(77);
    auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    // Few distinct lines, so names turn up as fields, records repeat and files end mid-record.
    const std::vector<std::string> words{"Cap", "Hood", "5", "", "cap", "Cap ", "-3", "Hood"};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int lines = pick(60);
        for (int i = 0; i < lines; ++i) {
            text += words[static_cast<size_t>(pick(static_cast<int>(words.size())))];
            text += pick(5) == 0 ? "\n" : "\r\n";
        }
        if (pick(3) == 0 && !text.empty())
            text.pop_back(); // no line end after the last line
        const auto file = folder.write("d.dat", text);
        const std::vector<std::string> names{"Cap", "Hood", "5", "", "Missing", "Cap"};
        std::string error = "stale";
        const std::vector<ItemRecord> records = FindItemRecords(file, names, &error);
        EXPECT_EQ(error, "");
        ASSERT_EQ(records.size(), names.size());
        for (size_t n = 0; n < names.size(); ++n)
            ASSERT_EQ(records[n], FindItemRecord(file, names[n])) << "round " << round << " " << n;
    }
}

TEST(FindItemRecords, AMissingCatalogueNamesTheFile) {
    test::TempFolder folder;
    std::string error;
    const auto records = FindItemRecords(folder.path() / "male11.dat", {"Cap"}, &error);
    EXPECT_EQ(records, std::vector<ItemRecord>(1));
    EXPECT_NE(error.find("male11.dat"), std::string::npos) << error;
}

} // namespace
} // namespace zv
