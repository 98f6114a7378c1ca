#pragma once
// The nine effect values of the item in one avatar slot, converted from its catalogue record.
#include "planner/Catalog.h"

#include <cstdint>
#include <optional>
#include <string_view>

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

// A catalogue number field as a whole number: decimal digits with an optional sign and
// fraction, blanks around it allowed; a fraction is rounded to the nearest whole number, a half
// to the even neighbour; an empty field is 0. Anything else, or a value outside the type's
// range after rounding, gives nullopt: the caller then keeps the value it had.
std::optional<int16_t> ConvertToInt16(std::string_view field);
std::optional<int32_t> ConvertToInt32(std::string_view field);

// Stores the record's numbers field by field (Stars, Shield, Delay, Attack, Hearts, ItemDelay,
// Shovel, ShieldRegen, Cost); a field that does not convert leaves its previous value.
void StoreRecordInEffects(const ItemRecord& record, ItemEffects& effects);

} // namespace zv
