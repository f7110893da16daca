#include "platform/Twips.h"

#include <algorithm>
#include <cmath>

int Twips::toPixels(float twips)
{
    constexpr double kLimit = 1.0e8;
    double px = std::nearbyint(static_cast<double>(twips) / kPerPixel);
    if (!std::isfinite(px))
        px = 0;
    return static_cast<int>(std::clamp(px, -kLimit, kLimit));
}
