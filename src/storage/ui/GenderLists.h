#pragma once
// The item list the chosen gender uses for a slot kind, as saves, loads and the wardrobe need it.
#include "base/ui/Controls.h"
#include "planner/ItemFamily.h"
#include "planner/ui/PlannerController.h"

#include <array>

namespace zv {

inline constexpr std::array<SlotKind, 4> kWornKinds{SlotKind::Helmet, SlotKind::Armor,
                                                    SlotKind::Goggles, SlotKind::Accessory};

// The list of gender index 0 or 1 for `kind`; nullptr without a gender.
inline ItemList* GenderList(const PlannerController& planner, int genderIndex, SlotKind kind) {
    const ItemFamily* family = ItemFamilyFor(genderIndex, kind);
    return family ? planner.listFor(*family) : nullptr;
}

} // namespace zv
