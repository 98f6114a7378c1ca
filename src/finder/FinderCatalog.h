#pragma once
// Every item the outfit finder may choose from: the four item lists of one gender with the
// effect values their detail records give, read once per search instead of once per click.
#include "planner/ItemEffects.h"
#include "planner/ItemFamily.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// The four avatar slots in list order; slot index = slot kind - 1.
inline constexpr int kItemSlotCount = 4;
inline constexpr std::array<SlotKind, kItemSlotCount> kSlotKinds{
    SlotKind::Helmet, SlotKind::Armor, SlotKind::Goggles, SlotKind::Accessory};
inline int SlotIndex(SlotKind kind) {
    return static_cast<int>(kind) - 1;
}

struct FinderItem {
    std::string Name; // the list text
    ItemEffects Effects;
};

struct FinderCatalog {
    int Gender = 0;                                   // gender box index: 0 male, 1 female
    std::array<std::string, kItemSlotCount> Captions; // what an empty slot's list shows
    // Each list's entries in list order, a name repeated in the list only once.
    std::array<std::vector<FinderItem>, kItemSlotCount> Slots;
};

// The gender's four lists with their records, as the planner would store them when each item is
// chosen (a name without a record, or a field that is not a number, counts 0). nullopt when a
// catalogue cannot be read; `error` then names the file.
std::optional<FinderCatalog> LoadFinderCatalog(int gender, std::string* error = nullptr);

} // namespace zv
