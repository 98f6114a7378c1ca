#include "base/Rounding.h"

#include <cmath>

namespace zv {

double RoundHalfToEven(double value) {
    // value - floor(value) is exact for every double, so a true half is seen as one.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace zv
