#include "planner/ui/WearOutfit.h"

#include "planner/ItemFamily.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"

namespace zv {

void WearOutfit(MainControls& c, PlannerController& planner, int gender,
                const std::array<std::string, 4>& names) {
    constexpr std::array<SlotKind, 4> kinds{SlotKind::Helmet, SlotKind::Armor, SlotKind::Goggles,
                                            SlotKind::Accessory};
    const OutfitChange step(planner.outfitSteps, "Put On Outfit");
    planner.ResetPreview();
    if (gender != 0 && gender != 1)
        return;
    c.GenderBox->selectIndex(gender);
    // Every text is in place before the first handler runs.
    for (size_t slot = 0; slot < kinds.size(); ++slot) {
        if (const ItemFamily* family = ItemFamilyFor(gender, kinds[slot]))
            if (ItemList* list = planner.listFor(*family))
                list->setEditText(QString::fromLatin1(names[slot].data(),
                                                      static_cast<qsizetype>(names[slot].size())));
    }
    for (SlotKind kind : kinds) {
        if (const ItemFamily* family = ItemFamilyFor(gender, kind))
            planner.ItemClick(*family);
    }
}

} // namespace zv
