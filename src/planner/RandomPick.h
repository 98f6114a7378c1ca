#pragma once
// One draw of the random outfit: an entry of a list, every entry about equally likely.
#include <optional>

namespace zv {

// Takes the next number r (0 <= r < 1) of the program's generator and gives the integer part of
// r x count. An empty list takes no number and gives no index, so the other lists of the same
// outfit get the numbers they would get anyway.
std::optional<int> DrawEntryIndex(int count);

} // namespace zv
