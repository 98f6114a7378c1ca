// What the finder reads from the program folder: the gender's four lists with their records,
// and the wardrobe as owned items.
#include "finder/FinderCatalog.h"
#include "finder/OwnedItems.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

std::string Record(const std::string& name, const std::string& attack, const std::string& cost) {
    std::string text;
    for (const std::string& line :
         {name, std::string("pic"), std::string("layer"), std::string("0"), attack,
          std::string("0"), std::string("0"), std::string("0"), std::string("0"), std::string("0"),
          std::string("0"), cost})
        text += line + "\r\n";
    return text;
}

class FinderCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.activate();
        folder.write("data/female01.dat", "Bow\r\nCrown\r\nBow\r\nNo Record\r\n");
        folder.write("data/female11.dat", Record("Bow", "4", "100") + Record("Crown", "x", "900"));
        folder.write("data/female02.dat", "");
        folder.write("data/Female12.dat", "");
        folder.write("data/female03.dat", "Snorkel\r\n");
        folder.write("data/Female13.dat", Record("Snorkel", "-2", "50"));
        folder.write("data/acce01.dat", "Flag\r\n");
        folder.write("data/acce11.dat", Record("Flag", "1", "10"));
    }
    zvtest::ProgramFolder folder;
};

TEST_F(FinderCatalogTest, ReadsEachListOnceWithTheValuesThePlannerWouldStore) {
    std::string error = "stale";
    const auto catalog = LoadFinderCatalog(1, &error);
    ASSERT_TRUE(catalog) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(catalog->Captions,
              (std::array<std::string, 4>{"Helmets", "Armor", "Goggles", "Accessories"}));
    const auto& helmets = catalog->Slots[0];
    ASSERT_EQ(helmets.size(), 3u) << "the second \"Bow\" is the same item";
    EXPECT_EQ(helmets[0].Name, "Bow");
    EXPECT_EQ(helmets[0].Effects.Attack, 4);
    EXPECT_EQ(helmets[0].Effects.Cost, 100);
    EXPECT_EQ(helmets[1].Name, "Crown");
    EXPECT_EQ(helmets[1].Effects.Attack, 0) << "a field that is not a number counts 0";
    EXPECT_EQ(helmets[1].Effects.Cost, 900);
    EXPECT_EQ(helmets[2].Name, "No Record");
    EXPECT_EQ(helmets[2].Effects, ItemEffects{});
    EXPECT_TRUE(catalog->Slots[1].empty());
    EXPECT_EQ(catalog->Slots[2][0].Effects.Attack, -2);
    EXPECT_EQ(catalog->Slots[3][0].Name, "Flag");
}

TEST_F(FinderCatalogTest, AMissingCatalogueNamesTheFile) {
    std::filesystem::remove(folder.file("data/Female13.dat"));
    std::string error;
    EXPECT_FALSE(LoadFinderCatalog(1, &error));
    EXPECT_NE(error.find("Female13.dat"), std::string::npos) << error;
    EXPECT_FALSE(LoadFinderCatalog(0, &error)) << "no male catalogues at all";
    EXPECT_NE(error.find("male01.dat"), std::string::npos) << error;
}

TEST_F(FinderCatalogTest, OwnedItemsAreTheGendersWardrobePairedUpToTheShorterFile) {
    EXPECT_TRUE(ReadOwnedItems(1).empty()) << "no wardrobe files yet";
    folder.write("data/wardrobe02.dat", "Bow\r\nSnorkel\r\nFlag\r\nOdd\r\nExtra\r\n");
    folder.write("data/wardrobe12.dat", " 1 \r\n 3 \r\n 4 \r\n 9 \r\n");
    folder.write("data/wardrobe01.dat", "Bow\r\n");
    folder.write("data/wardrobe11.dat", " 2 \r\n");
    EXPECT_EQ(ReadOwnedItems(1), (std::vector<OwnedItem>{{SlotKind::Helmet, "Bow"},
                                                         {SlotKind::Goggles, "Snorkel"},
                                                         {SlotKind::Accessory, "Flag"}}));
    EXPECT_EQ(ReadOwnedItems(0), (std::vector<OwnedItem>{{SlotKind::Armor, "Bow"}}));
}

} // namespace
} // namespace zv
