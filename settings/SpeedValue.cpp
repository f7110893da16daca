#include "settings/SpeedValue.h"

#include "settings/NumberText.h"
#include "settings/SpinScrollBar.h"

#include <algorithm>

int SpeedValue::ScrollValue(double speed)
{
    return std::clamp(NumberText::RoundHalfEven(speed), SpinScrollBar::kMin, SpinScrollBar::kMax);
}

QString SpeedValue::DisplayText(double speed)
{
    if (speed >= SpinScrollBar::kMin && speed <= SpinScrollBar::kMax)
        return NumberText::ShortestText(speed);
    return QString::number(ScrollValue(speed));
}
