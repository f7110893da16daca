#include "slideshow/TickPeriod.h"

#include "core/NumberText.h"

#include <algorithm>

std::optional<int> TickPeriod::Interval(ShowMode mode, double switchSpeed)
{
    if (mode == ShowMode::Centred || mode == ShowMode::RandomPlace) {
        // RoundHalfEven already keeps the value within int (NaN gives 0).
        const int ms = NumberText::RoundHalfEven((11 - switchSpeed) * 1000);
        return std::clamp(ms, kShortestSwitch, kLongestSwitch);
    }
    if (mode == ShowMode::Moving)
        return kMovePeriod;
    return std::nullopt;
}
