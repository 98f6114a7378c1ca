#pragma once
// The nine effect values of the item in one avatar slot, converted from its catalogue record.
#include "base/WholeNumber.h"
#include "planner/Catalog.h"

#include <cstdint>

namespace zv {

struct ItemEffects {
    int16_t Stars = 0;
    int16_t Shield = 0;
    int16_t Delay = 0;
    int16_t Attack = 0;
    int16_t Hearts = 0;
    int16_t ItemDelay = 0;
    int16_t Shovel = 0;
    int16_t ShieldRegen = 0;
    int32_t Cost = 0;

    bool operator==(const ItemEffects&) const = default;
};

// Stores the record's numbers field by field (Stars, Shield, Delay, Attack, Hearts, ItemDelay,
// Shovel, ShieldRegen, Cost), converted as whole numbers (base/WholeNumber.h); a field that does
// not convert (not a number, or out of range) leaves its previous value.
void StoreRecordInEffects(const ItemRecord& record, ItemEffects& effects);

} // namespace zv
