#pragma once
// The items a player owns: the entries of the gender's wardrobe.
#include "planner/ItemFamily.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

struct OwnedItem {
    SlotKind Slot;
    std::string Name;
    bool operator==(const OwnedItem&) const = default;
};

// The wardrobe of gender index 0 (male) or 1 (female), entry by entry; empty when it has no
// files yet.
std::vector<OwnedItem> ReadOwnedItems(int gender);

// Whether `owned` holds the item called `name` for `slot` (names compare case-sensitively).
bool IsOwned(const std::vector<OwnedItem>& owned, SlotKind slot, std::string_view name);

} // namespace zv
