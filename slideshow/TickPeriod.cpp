#include "slideshow/TickPeriod.h"

#include "settings/NumberText.h"

#include <algorithm>

std::optional<int> TickPeriod::Interval(double displayMode, double switchSpeed)
{
    if (displayMode == 1 || displayMode == 2) {
        // RoundHalfEven already keeps the value within int (NaN gives 0).
        const int ms = NumberText::RoundHalfEven((11 - switchSpeed) * 1000);
        return std::clamp(ms, kShortestSwitch, kLongestSwitch);
    }
    if (displayMode == 3)
        return kMovePeriod;
    return std::nullopt;
}
