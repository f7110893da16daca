#pragma once

#include "core/SaverSettings.h"

#include <limits>
#include <optional>

// Timer1's period for a display mode and switching speed.
class TickPeriod {
public:
    static constexpr int kMovePeriod = 10;  // display mode 3
    // Bounds for modes 1 and 2: a hand-edited speed must give neither a busy
    // loop (zero or negative) nor a period the timer cannot hold.
    static constexpr int kShortestSwitch = 100;
    static constexpr int kLongestSwitch = std::numeric_limits<int>::max();

    // Centred and random place: (11 - switchSpeed) seconds, rounded to whole
    // milliseconds (a half to the even neighbour), then clamped. Moving: 10 ms.
    // Any other mode: no value, the timer keeps the period it has.
    static std::optional<int> Interval(ShowMode mode, double switchSpeed);
};
