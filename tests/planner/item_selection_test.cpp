#include "PlannerFixture.h"
#include "base/ProgramPaths.h"
#include "codec/ProtectedFile.h"
#include "planner/ItemFamily.h"
#include "planner/ItemSelection.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace zv {
namespace {

using test::CrLfLines;

const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";

// A 1 x 1 GIF picture.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xf9\x04"
                       "\x01\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44"
                       "\x01\x00\x3b",
                       43);

const ItemFamily& Family(std::string_view listName) {
    const ItemFamily* family = FindItemFamily(listName);
    EXPECT_NE(family, nullptr) << listName;
    return *family;
}

class ItemSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ProgramFolder();
        SetProgramFolder(program.path());
        program.write("data/male11.dat",
                      CrLfLines({"Iron Cap", "IronCap", "IronCapLayer", "1", "2", "3", "4", "5",
                                 "6", "7", "8", "100",
                                 // Stars and Cost that do not convert.
                                 "Odd Hat", "OddHat", "OddHatLayer", "-1", "-2", "-3", "-4", "many",
                                 "-6", "-7", "-8", "priceless"}));
        program.write("data/acce11.dat", CrLfLines({"Banner", "Banner", "Banner", "0", "0", "0",
                                                    "0", "0", "0", "0", "0", "75"}));
    }
    void TearDown() override { SetProgramFolder(previous_); }

    // Wraps `bytes` as `name` + ".gif" (or another extension) into the protected file `relative`.
    bool MakeProtectedPicture(const std::string& relative, const std::string& name,
                              const std::string& bytes, const std::string& key = kKey,
                              const std::string& extension = ".gif") {
        const auto plain = work.write(name + extension, bytes);
        const std::filesystem::path qvp = program.path() / relative;
        std::filesystem::create_directories(qvp.parent_path());
        CodecStatus status;
        const std::string written =
            ProcessProtectedFile(plain.string(), qvp.string(), key, "", status);
        if (status.CodecErrorCode != 0)
            return false;
        std::filesystem::rename(written, qvp);
        return true;
    }

    test::TempFolder program;
    test::TempFolder work;
    std::filesystem::path previous_;
};

const ItemEffects kIronCap{.Stars = 5,
                           .Shield = 6,
                           .Delay = 1,
                           .Attack = 2,
                           .Hearts = 3,
                           .ItemDelay = 7,
                           .Shovel = 4,
                           .ShieldRegen = 8,
                           .Cost = 100};

TEST_F(ItemSelectionTest, StoresTheItemsValuesAndChoosingItAgainChangesNothing) {
    ItemEffects helmet;
    const SelectionOutcome first = SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    EXPECT_EQ(first.Error, "");
    EXPECT_EQ(first.Record.ItemPicture, "IronCap");
    EXPECT_EQ(helmet, kIronCap);

    SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    EXPECT_EQ(helmet, kIronCap);
}

TEST_F(ItemSelectionTest, FieldsThatAreNotNumbersKeepTheSlotsPreviousValues) {
    ItemEffects helmet;
    SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    SelectItem(Family("HelmMale"), "Odd Hat", helmet, kKey, "");
    EXPECT_EQ(helmet, (ItemEffects{.Stars = 5,
                                   .Shield = -6,
                                   .Delay = -1,
                                   .Attack = -2,
                                   .Hearts = -3,
                                   .ItemDelay = -7,
                                   .Shovel = -4,
                                   .ShieldRegen = -8,
                                   .Cost = 100}));
}

TEST_F(ItemSelectionTest, ANameNotInTheCatalogueZeroesTheSlotAndChangesNoPicture) {
    ItemEffects helmet = kIronCap;
    const SelectionOutcome outcome = SelectItem(Family("HelmMale"), "Helmets", helmet, kKey, "");
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(outcome.Record, ItemRecord{});
    EXPECT_EQ(outcome.ItemPicture, std::nullopt);
    EXPECT_EQ(outcome.PreviewPicture, std::nullopt);
    EXPECT_EQ(helmet, ItemEffects{});
}

TEST_F(ItemSelectionTest, AMissingCatalogueIsReportedByNameAndZeroesTheSlot) {
    ItemEffects goggles = kIronCap;
    const SelectionOutcome outcome =
        SelectItem(Family("GogglesMale"), "Snorkel", goggles, kKey, "");
    EXPECT_NE(outcome.Error.find("male13.dat"), std::string::npos) << outcome.Error;
    EXPECT_EQ(goggles, ItemEffects{});
}

TEST_F(ItemSelectionTest, MissingPicturesAreSkippedAndTheValuesStillStored) {
    ItemEffects accessory;
    const SelectionOutcome outcome =
        SelectItem(Family("Accessories"), "Banner", accessory, kKey, "");
    EXPECT_EQ(outcome.ItemPicture, std::nullopt);
    EXPECT_EQ(outcome.PreviewPicture, std::nullopt);
    EXPECT_EQ(accessory.Cost, 75);
}

TEST_F(ItemSelectionTest, UnwrapsBothPicturesAndLeavesNoTemporaryFile) {
    const std::string layer = kGif + "layer";
    ASSERT_TRUE(MakeProtectedPicture("avatargraphics/Banner.qvp", "Banner", kGif));
    ASSERT_TRUE(MakeProtectedPicture("avatarpreview/VO-Flag-Banner.qvp", "Flag", layer));
    // Without the prefix: must not be taken for the accessory's layer.
    ASSERT_TRUE(MakeProtectedPicture("avatarpreview/Banner.qvp", "Plain", kGif + "plain"));

    ItemEffects accessory;
    const SelectionOutcome outcome =
        SelectItem(Family("Accessories"), "Banner", accessory, kKey, "");
    EXPECT_EQ(outcome.ItemPicture, kGif);
    EXPECT_EQ(outcome.PreviewPicture, layer);
    EXPECT_EQ(accessory.Cost, 75);
    EXPECT_TRUE(std::filesystem::is_empty(PrivateTempFolder()));
    // The protected originals stay.
    EXPECT_TRUE(std::filesystem::exists(program.path() / "avatargraphics/Banner.qvp"));
}

// Choosing an item again shows its picture as the file holds it now: a picture replaced, rewritten
// in place with the same size and modification time, made unreadable or removed is never shown
// as it was before.
TEST_F(ItemSelectionTest, ChoosingAgainShowsThePictureAsTheFileHoldsItNow) {
    namespace fs = std::filesystem;
    const std::string other = kGif.substr(0, kGif.size() - 1) + ";"; // same size, other bytes
    ASSERT_TRUE(MakeProtectedPicture("avatargraphics/IronCap.qvp", "IronCap", kGif));
    ASSERT_TRUE(MakeProtectedPicture("avatarpreview/IronCapLayer.qvp", "Layer", kGif));
    const fs::path shop = program.path() / "avatargraphics/IronCap.qvp";
    const fs::path layer = program.path() / "avatarpreview/IronCapLayer.qvp";
    auto choose = [] {
        ItemEffects helmet;
        return SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    };
    ASSERT_EQ(choose().ItemPicture, kGif);
    EXPECT_EQ(choose().ItemPicture, kGif);

    // Replaced by another file.
    ASSERT_TRUE(MakeProtectedPicture("avatargraphics/IronCap.qvp", "Other", other));
    EXPECT_EQ(choose().ItemPicture, other);

    // Rewritten in place with other bytes of the same size, the modification time put back.
    const fs::file_time_type stamp = fs::last_write_time(shop);
    {
        std::ifstream in(shop, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        for (char& byte : bytes)
            byte = static_cast<char>(byte ^ 0x5A);
        std::FILE* out = std::fopen(shop.c_str(), "r+b");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
        std::fclose(out);
        fs::last_write_time(shop, stamp);
    }
    EXPECT_EQ(choose().ItemPicture, std::nullopt);

    // Removed: nothing to show (the window keeps what it shows).
    fs::remove(shop);
    EXPECT_EQ(choose().ItemPicture, std::nullopt);
    EXPECT_EQ(choose().PreviewPicture, kGif);
    // Made unreadable (not for a user whose reads never fail).
    if (::geteuid() != 0) {
        fs::permissions(layer, fs::perms::none);
        EXPECT_EQ(choose().PreviewPicture, std::nullopt);
        fs::permissions(layer, fs::perms::owner_read | fs::perms::owner_write);
    }
}

TEST_F(ItemSelectionTest, APictureThatDoesNotDecodeIsSkipped) {
    ASSERT_TRUE(
        MakeProtectedPicture("avatargraphics/IronCap.qvp", "IronCap", kGif, "some-other-key-4271"));
    ASSERT_TRUE(MakeProtectedPicture("avatarpreview/IronCapLayer.qvp", "Layer", kGif));
    ItemEffects helmet;
    const SelectionOutcome outcome = SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    EXPECT_EQ(outcome.ItemPicture, std::nullopt);
    EXPECT_EQ(outcome.PreviewPicture, kGif);
    EXPECT_EQ(helmet, kIronCap);
    EXPECT_TRUE(std::filesystem::is_empty(PrivateTempFolder()));
}

// Only a picture stored as a GIF is shown; one stored under another name or none is skipped.
TEST_F(ItemSelectionTest, APictureStoredAsAnotherKindIsSkipped) {
    ASSERT_TRUE(MakeProtectedPicture("avatargraphics/IronCap.qvp", "IronCap", kGif, kKey, ".png"));
    ASSERT_TRUE(MakeProtectedPicture("avatarpreview/IronCapLayer.qvp", "Layer", kGif, kKey, ""));
    ItemEffects helmet;
    const SelectionOutcome outcome = SelectItem(Family("HelmMale"), "Iron Cap", helmet, kKey, "");
    EXPECT_EQ(outcome.ItemPicture, std::nullopt);
    EXPECT_EQ(outcome.PreviewPicture, std::nullopt);
    EXPECT_EQ(helmet, kIronCap);
}

TEST_F(ItemSelectionTest, PictureNamesCannotLeaveThePictureFolders) {
    ASSERT_TRUE(MakeProtectedPicture("secret.qvp", "secret", kGif));
    program.write("data/male11.dat", CrLfLines({"Sly Cap", "..\\secret", "../secret", "0", "0", "0",
                                                "0", "0", "0", "0", "0", "1"}));
    ItemEffects helmet;
    const SelectionOutcome outcome = SelectItem(Family("HelmMale"), "Sly Cap", helmet, kKey, "");
    EXPECT_EQ(outcome.ItemPicture, std::nullopt);
    EXPECT_EQ(outcome.PreviewPicture, std::nullopt);
    EXPECT_EQ(helmet.Cost, 1);
}

TEST(LoadAllItemLists, ReadsTheSevenListCataloguesAndReportsAMissingOne) {
    test::TempFolder program;
    const std::filesystem::path previous = ProgramFolder();
    SetProgramFolder(program.path());
    for (const char* name : {"male01", "male02", "male03", "female01", "female02", "Female03"})
        program.write(std::string("data/") + name + ".dat", CrLfLines({name, "", "Snorkel"}));

    const std::vector<ItemListContents> lists = LoadAllItemLists();
    SetProgramFolder(previous);

    ASSERT_EQ(lists.size(), 7u);
    EXPECT_EQ(lists[0].Family->ListName, "HelmMale");
    EXPECT_EQ(lists[0].Entries, (std::vector<std::string>{"male01", "", "Snorkel"}));
    EXPECT_EQ(lists[5].Family->ListName, "GogglesFemale");
    EXPECT_EQ(lists[5].Entries, (std::vector<std::string>{"Female03", "", "Snorkel"}));
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(lists[i].Error, "") << i;
    EXPECT_EQ(lists[6].Family->ListName, "Accessories");
    EXPECT_TRUE(lists[6].Entries.empty());
    EXPECT_NE(lists[6].Error.find("acce01.dat"), std::string::npos) << lists[6].Error;
}

} // namespace
} // namespace zv
