#include "platform/RandomSource.h"

#include <chrono>

namespace {
std::uint64_t splitmix(std::uint64_t &x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}

ClockRandom::ClockRandom(Clock clock)
    : clock_(clock ? std::move(clock) : Clock(&ClockRandom::systemClock))
    , state_(clock_())
{
}

std::uint64_t ClockRandom::systemClock()
{
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

void ClockRandom::Randomize()
{
    std::uint64_t seed = clock_();
    state_ ^= splitmix(seed);
}

std::uint64_t ClockRandom::next()
{
    return splitmix(state_);
}

float ClockRandom::Rnd()
{
    // 24 random bits give every float in [0, 1) on a 2^-24 grid; never 1.
    return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
}
