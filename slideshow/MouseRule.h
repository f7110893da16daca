#pragma once

#include "core/MouseState.h"

// When does pointer movement end the show? The first reports only record the
// position; later a report ends the show only when both coordinates changed
// since the previous one, so a nudged desk or a jittering sensor does not.
class MouseRule {
public:
    // Screen-saver edition. x, y in twips relative to the window. True: end the show.
    static bool SaverReport(SaverMouseState &state, float x, float y);

    // Manual edition. Reports are ignored while the window is not as wide as the
    // screen (it is still being set up). True: end the show.
    static bool ManualReport(ManualMouseState &state, float formWidth, float screenWidth, float x, float y);

    // y rounded to the nearest whole twip, a half to the even neighbour.
    static std::int32_t RoundY(float y);
};
