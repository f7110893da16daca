#pragma once

#include <cstdint>
#include <functional>

// Pseudo-random numbers in [0, 1), reseeded from the clock before every draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Randomize() = 0;  // reseed from the clock
    virtual float Rnd() = 0;       // 0 <= r < 1, single precision
};

// The real source. A reseed mixes the clock reading into the generator's state
// instead of restarting the sequence from it, so several reseeds within one clock
// reading still give independent draws. The clock is passed in for tests.
class ClockRandom : public RandomSource {
public:
    using Clock = std::function<std::uint64_t()>;
    explicit ClockRandom(Clock clock = {});

    void Randomize() override;
    float Rnd() override;

    static std::uint64_t systemClock();

private:
    std::uint64_t next();

    Clock clock_;
    std::uint64_t state_;
};
