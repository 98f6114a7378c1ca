#pragma once
// The program's one random generator: seeded once from the clock at start-up, drawn from by the
// random mobile and the random outfit.
namespace zv {

void SeedRandomFromClock();
// A uniform number r with 0 <= r < 1.
float NextRandom();

} // namespace zv
