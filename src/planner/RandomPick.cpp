#include "planner/RandomPick.h"

#include "base/Random.h"

#include <algorithm>

namespace zv {

std::optional<int> DrawEntryIndex(int count) {
    if (count <= 0)
        return std::nullopt;
    // In double, so that r just below 1 can never round up to `count`.
    const double r = NextRandom();
    return std::min(static_cast<int>(r * count), count - 1);
}

} // namespace zv
