#pragma once
// The program's one random generator: seeded once from the clock at start-up, drawn from by the
// random outfit.
#include <cstdint>

namespace zv {

void SeedRandomFromClock();
// A fixed start, so that a run of draws can be repeated (tests).
void SeedRandom(uint32_t seed);
// A uniform number r with 0 <= r < 1.
float NextRandom();

} // namespace zv
