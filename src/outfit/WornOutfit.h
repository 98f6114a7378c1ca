#pragma once
// Outfits that are not worn yet: what an item would do if chosen, and what a save slot would put
// on if loaded. Both follow the item click's own lookup and number conversion, without
// unwrapping any picture, and neither changes the planner or any file.
#include "planner/ItemEffects.h"
#include "planner/ItemFamily.h"
#include "planner/Totals.h"
#include "storage/SaveSlots.h"

#include <array>
#include <string>

namespace zv {

// The effects that choosing `name` in the family's list would leave in a slot that now holds
// `current`: fields the catalogue gives replace, fields that do not convert keep their value,
// a name without a record gives 0 everywhere.
ItemEffects EffectsIfChosen(const ItemFamily& family, const std::string& name,
                            const ItemEffects& current);

enum class WornStatus {
    Nothing,        // the list's caption: nothing chosen
    Found,          // an item of the catalogue
    NotInCatalogue, // a name this installation's catalogue does not have: it counts as nothing
    Ignored,        // the slot has no valid gender, so a load puts nothing on
};

struct WornItem {
    std::string Name; // as stored (8-bit text)
    WornStatus Status = WornStatus::Nothing;
    bool operator==(const WornItem&) const = default;
};

struct SlotOutfit {
    int Gender = -1;                 // 0 male, 1 female, -1 none
    std::array<WornItem, 4> Items{}; // helmet, armor, goggles, accessory
    std::array<ItemEffects, 4> Effects{};
    TotalsDisplay Shown; // what the window would show after loading it
};

// What loading the record would put on: a fresh preview, then the four items of its gender.
SlotOutfit OutfitOfSlot(const SlotRecord& record);

} // namespace zv
