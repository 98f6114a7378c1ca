#include "outfit/WornOutfit.h"

#include "base/ProgramPaths.h"
#include "planner/Catalog.h"

namespace zv {
namespace {

constexpr std::array<SlotKind, 4> kKinds{SlotKind::Helmet, SlotKind::Armor, SlotKind::Goggles,
                                         SlotKind::Accessory};

} // namespace

ItemEffects EffectsIfChosen(const ItemFamily& family, const std::string& name,
                            const ItemEffects& current) {
    ItemEffects effects = current;
    StoreRecordInEffects(FindItemRecord(ProgramPath(family.DetailCatalog), name), effects);
    return effects;
}

SlotOutfit OutfitOfSlot(const SlotRecord& record) {
    SlotOutfit outfit;
    const std::string* names[] = {&record.Helmet, &record.Armor, &record.Goggles,
                                  &record.Accessory};
    outfit.Gender = SlotGenderIndex(record.Gender);
    for (size_t i = 0; i < kKinds.size(); ++i) {
        WornItem& item = outfit.Items[i];
        item.Name = *names[i];
        const ItemFamily* family = ItemFamilyFor(outfit.Gender, kKinds[i]);
        if (!family) {
            item.Status = WornStatus::Ignored;
            continue;
        }
        // As the load's item click: from the fresh preview's empty slot.
        const ItemRecord found = FindItemRecord(ProgramPath(family->DetailCatalog), item.Name);
        StoreRecordInEffects(found, outfit.Effects[i]);
        if (!found.Name.empty() || (item.Name.empty() && found != ItemRecord{}))
            item.Status = WornStatus::Found;
        else
            item.Status =
                item.Name == family->Caption ? WornStatus::Nothing : WornStatus::NotInCatalogue;
    }
    outfit.Shown =
        DisplayTotals(outfit.Effects[0], outfit.Effects[1], outfit.Effects[2], outfit.Effects[3]);
    return outfit;
}

} // namespace zv
