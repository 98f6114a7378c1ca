#include "finder/OwnedItems.h"

#include "storage/Wardrobe.h"

#include <algorithm>

namespace zv {

std::vector<OwnedItem> ReadOwnedItems(int gender) {
    std::vector<OwnedItem> owned;
    for (const WardrobeEntry& entry : WardrobeItemsOf(gender)) {
        const int16_t kind = entry.Kind();
        // A kind line that names no slot cannot be worn, so it owns nothing.
        if (kind >= 1 && kind <= 4)
            owned.push_back({static_cast<SlotKind>(kind), entry.Name});
    }
    return owned;
}

bool IsOwned(const std::vector<OwnedItem>& owned, SlotKind slot, std::string_view name) {
    return std::any_of(owned.begin(), owned.end(),
                       [&](const OwnedItem& o) { return o.Slot == slot && o.Name == name; });
}

} // namespace zv
