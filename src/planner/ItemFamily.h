#pragma once
// The seven item lists of the main window and everything that differs between their selection
// handlers, as one table: the handlers are one operation driven by it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The avatar slot an item is worn in (also stored in wardrobe files).
enum class SlotKind : int16_t { Helmet = 1, Armor = 2, Goggles = 3, Accessory = 4 };

// Which gender's lists a family belongs to.
enum class FamilyGender { Male, Female, Both };

struct ItemFamily {
    std::string_view Handler;       // "HelmMale_Click"
    std::string_view ListName;      // objectName of the item list
    std::string_view Caption;       // text of the list while nothing is chosen
    std::string_view ListCatalog;   // program-folder path of the list catalogue
    std::string_view DetailCatalog; // program-folder path of the detail catalogue
    std::string_view ShopPicture;   // objectName of the shop picture
    std::string_view Layer;         // objectName of the preview layer
    SlotKind Slot;
    std::string_view PreviewPrefix; // put before the preview picture's name
    bool SnorkelRule;               // the goggles also draw the "Snorkel" on imgSpecial
    FamilyGender Gender;
};

// In the order LoadItemLists fills the lists: male 1-3, female 1-3, accessories.
inline constexpr std::array<ItemFamily, 7> ItemFamilies{{
    {"HelmMale_Click", "HelmMale", "Helmets", "\\data\\male01.dat", "\\data\\male11.dat",
     "imageHelm", "imgHelmet", SlotKind::Helmet, "", false, FamilyGender::Male},
    {"ArmorMale_Click", "ArmorMale", "Armor", "\\data\\male02.dat", "\\data\\male12.dat",
     "imageArmor", "imgArmor", SlotKind::Armor, "", false, FamilyGender::Male},
    {"GogglesMale_Click", "GogglesMale", "Goggles", "\\data\\male03.dat", "\\data\\male13.dat",
     "imageGoggles", "imgGoggles", SlotKind::Goggles, "", true, FamilyGender::Male},
    {"HelmFemale_Click", "HelmFemale", "Helmets", "\\data\\female01.dat", "\\data\\female11.dat",
     "imageHelm", "imgHelmet", SlotKind::Helmet, "", false, FamilyGender::Female},
    {"ArmorFemale_Click", "ArmorFemale", "Armor", "\\data\\female02.dat", "\\data\\Female12.dat",
     "imageArmor", "imgArmor", SlotKind::Armor, "", false, FamilyGender::Female},
    {"GogglesFemale_Click", "GogglesFemale", "Goggles", "\\data\\female03.dat",
     "\\data\\Female13.dat", "imageGoggles", "imgGoggles", SlotKind::Goggles, "", true,
     FamilyGender::Female},
    {"Accessories_Click", "Accessories", "Accessories", "\\data\\acce01.dat", "\\data\\acce11.dat",
     "imageAccessories", "imgAccessories", SlotKind::Accessory, "VO-Flag-", false,
     FamilyGender::Both},
}};

// The family whose list has this objectName, or nullptr.
const ItemFamily* FindItemFamily(std::string_view listName);

// The family of this gender (0 male, 1 female) for a slot, or nullptr for a gender of -1.
const ItemFamily* ItemFamilyFor(int genderIndex, SlotKind slot);

// Whether the family's list is visible for gender index 0 (male) or 1 (female).
bool FamilyShownFor(const ItemFamily& family, int genderIndex);

// The "Snorkel" goggles are drawn on the extra layer imgSpecial as well.
bool IsSnorkel(const std::string& itemName);

// The entries of one list catalogue, or the text to report when it could not be read.
struct ItemListContents {
    const ItemFamily* Family = nullptr;
    std::vector<std::string> Entries;
    std::string Error; // empty when the catalogue was read
};

// Reads the seven list catalogues from the program folder, in the order of ItemFamilies. A
// catalogue that cannot be read gives an empty list and its error; the others are still read.
std::vector<ItemListContents> LoadAllItemLists();

} // namespace zv
