#pragma once
// Hand-made catalogues for the finder's tests.
#include "finder/Finder.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace zv::fixtures {

// An item's record from (stat index, value) pairs and its price.
inline ItemEffects Effects(std::initializer_list<std::pair<int, int>> stats, int32_t cost) {
    ItemEffects e;
    for (const auto& [stat, value] : stats)
        e.*FinderStats[stat].Effect = static_cast<int16_t>(value);
    e.Cost = cost;
    return e;
}

// "S<slot>I<i>", an item's name that tells where it came from. (Appended piece by piece: GCC 12
// at -O3 takes a concatenation that starts with a literal for an overlapping copy.)
inline std::string ItemName(int slot, int i) {
    std::string name = "S";
    name.append(std::to_string(slot)).append("I").append(std::to_string(i));
    return name;
}

// Empty lists with the captions of the planner's lists.
inline FinderCatalog Captioned() {
    FinderCatalog catalog;
    catalog.Captions = {"Helmets", "Armor", "Goggles", "Accessories"};
    return catalog;
}

} // namespace zv::fixtures
