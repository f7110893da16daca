#include "slideshow/MouseRule.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::int32_t MouseRule::RoundY(float y)
{
    if (!std::isfinite(y))
        return 0;
    const double r = std::nearbyint(static_cast<double>(y));  // default mode: ties to even
    const double lo = std::numeric_limits<std::int32_t>::min();
    const double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(r, lo, hi));
}

bool MouseRule::SaverReport(SaverMouseState &state, float x, float y)
{
    const bool end = state.MouseMoved && x != state.LastMouseX && y != static_cast<float>(state.LastMouseY);
    state.MouseMoved = true;
    state.LastMouseX = x;
    state.LastMouseY = RoundY(y);
    return end;
}

bool MouseRule::ManualReport(ManualMouseState &state, float formWidth, float screenWidth, float x, float y)
{
    if (formWidth != screenWidth)
        return false;
    const bool end = state.MouseMoveCount > 1 && x != state.LastMouseX && y != static_cast<float>(state.LastMouseY);
    if (end)
        state.MouseMoveCount = 0;
    if (state.MouseMoveCount < std::numeric_limits<std::int32_t>::max())
        ++state.MouseMoveCount;
    state.LastMouseX = x;
    state.LastMouseY = RoundY(y);
    return end;
}
