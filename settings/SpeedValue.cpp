#include "settings/SpeedValue.h"

#include "core/NumberText.h"

#include <algorithm>

int SpeedValue::ScrollValue(double speed)
{
    return std::clamp(NumberText::RoundHalfEven(speed), kMin, kMax);
}

QString SpeedValue::DisplayText(double speed)
{
    if (speed >= kMin && speed <= kMax)
        return NumberText::ShortestText(speed);
    return QString::number(ScrollValue(speed));
}
