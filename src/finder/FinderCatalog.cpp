#include "finder/FinderCatalog.h"

#include "base/ProgramPaths.h"
#include "planner/Catalog.h"
#include "planner/CatalogRecords.h"

#include <unordered_set>

namespace zv {

std::optional<FinderCatalog> LoadFinderCatalog(int gender, std::string* error) {
    FinderCatalog catalog;
    catalog.Gender = gender;
    std::string problem;
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        const ItemFamily* family = ItemFamilyFor(gender, kSlotKinds[slot]);
        if (!family) {
            if (error)
                *error = "There is no gender " + std::to_string(gender) + ".";
            return std::nullopt;
        }
        catalog.Captions[slot] = family->Caption;
        std::vector<std::string> names =
            ReadListCatalog(ProgramPath(family->ListCatalog), &problem);
        // The same name twice in a list is the same item; keep its first place.
        std::unordered_set<std::string> seen;
        std::erase_if(names,
                      [&seen](const std::string& name) { return !seen.insert(name).second; });
        std::vector<ItemRecord> records;
        if (problem.empty())
            records = FindItemRecords(ProgramPath(family->DetailCatalog), names, &problem);
        if (!problem.empty()) {
            if (error)
                *error = problem;
            return std::nullopt;
        }
        std::vector<FinderItem>& items = catalog.Slots[slot];
        items.reserve(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            FinderItem item{std::move(names[i]), {}};
            StoreRecordInEffects(records[i], item.Effects);
            items.push_back(std::move(item));
        }
    }
    if (error)
        error->clear();
    return catalog;
}

} // namespace zv
