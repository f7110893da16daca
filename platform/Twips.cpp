#include "platform/Twips.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

int Twips::toPixels(float twips, double ratio)
{
    constexpr int kLimit = 100'000'000;
    if (!std::isfinite(twips))
        return 0;
    return std::clamp(NumberText::RoundHalfEven(static_cast<double>(twips / kPerPixel) * ratio), -kLimit, kLimit);
}
