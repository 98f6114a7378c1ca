#include "planner/ItemFamily.h"

#include "base/ProgramPaths.h"
#include "planner/Catalog.h"

namespace zv {

const ItemFamily* FindItemFamily(std::string_view listName) {
    for (const ItemFamily& family : ItemFamilies)
        if (family.ListName == listName)
            return &family;
    return nullptr;
}

const ItemFamily* ItemFamilyFor(int genderIndex, SlotKind slot) {
    for (const ItemFamily& family : ItemFamilies)
        if (family.Slot == slot && FamilyShownFor(family, genderIndex))
            return &family;
    return nullptr;
}

bool FamilyShownFor(const ItemFamily& family, int genderIndex) {
    switch (family.Gender) {
    case FamilyGender::Male:
        return genderIndex == 0;
    case FamilyGender::Female:
        return genderIndex == 1;
    case FamilyGender::Both:
        return genderIndex == 0 || genderIndex == 1;
    }
    return false;
}

bool IsSnorkel(const std::string& itemName) {
    return itemName == "Snorkel";
}

std::vector<ItemListContents> LoadAllItemLists() {
    std::vector<ItemListContents> lists;
    lists.reserve(ItemFamilies.size());
    for (const ItemFamily& family : ItemFamilies) {
        ItemListContents contents;
        contents.Family = &family;
        contents.Entries = ReadListCatalog(ProgramPath(family.ListCatalog), &contents.Error);
        lists.push_back(std::move(contents));
    }
    return lists;
}

} // namespace zv
