#include "slideshow/MouseRule.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::int32_t MouseRule::RoundY(float y)
{
    return std::isfinite(y) ? NumberText::RoundHalfEven(y) : 0;
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
