#include "base/Random.h"

#include <chrono>
#include <random>

namespace zv {
namespace {
std::mt19937& Generator() {
    static std::mt19937 generator(5489u);
    return generator;
}
} // namespace

void SeedRandomFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

void SeedRandom(uint32_t seed) {
    Generator().seed(seed);
}

float NextRandom() {
    // 24 random bits give every float in [0, 1) on an even grid, never 1 itself.
    return static_cast<float>(Generator()() >> 8) / 16777216.0f;
}

} // namespace zv
