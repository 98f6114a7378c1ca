#include "finder/OwnedItems.h"

#include "base/ProgramPaths.h"
#include "planner/Catalog.h"
#include "planner/ItemEffects.h"

#include <algorithm>

namespace zv {

// MERGE: the one place the finder reads the wardrobe files. Switch it to the storage
// subsystem's wardrobe reader once that exists; nothing else here knows the file format.
std::vector<OwnedItem> ReadOwnedItems(int gender) {
    const std::string number = std::to_string(gender + 1);
    // A missing file is an empty wardrobe.
    const std::vector<std::string> names =
        ReadListCatalog(ProgramPath("\\data\\wardrobe0" + number + ".dat"));
    const std::vector<std::string> kinds =
        ReadListCatalog(ProgramPath("\\data\\wardrobe1" + number + ".dat"));
    std::vector<OwnedItem> owned;
    // Files edited by hand may differ in length: entries pair up to the shorter one.
    for (size_t i = 0; i < std::min(names.size(), kinds.size()); ++i) {
        const auto kind = ConvertToInt16(kinds[i]);
        if (kind && *kind >= 1 && *kind <= 4)
            owned.push_back({static_cast<SlotKind>(*kind), names[i]});
    }
    return owned;
}

} // namespace zv
