#include "planner/ItemEffects.h"

namespace zv {
namespace {

void StoreIfConverted(std::string_view field, int16_t& target) {
    if (const auto value = ConvertToInt16(field))
        target = *value;
}

void StoreIfConverted(std::string_view field, int32_t& target) {
    if (const auto value = ConvertToInt32(field))
        target = *value;
}

} // namespace

void StoreRecordInEffects(const ItemRecord& record, ItemEffects& effects) {
    StoreIfConverted(record.Stars, effects.Stars);
    StoreIfConverted(record.Shield, effects.Shield);
    StoreIfConverted(record.Delay, effects.Delay);
    StoreIfConverted(record.Attack, effects.Attack);
    StoreIfConverted(record.Hearts, effects.Hearts);
    StoreIfConverted(record.ItemDelay, effects.ItemDelay);
    StoreIfConverted(record.Shovel, effects.Shovel);
    StoreIfConverted(record.ShieldRegen, effects.ShieldRegen);
    StoreIfConverted(record.Cost, effects.Cost);
}

} // namespace zv
