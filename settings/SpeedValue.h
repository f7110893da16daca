#pragma once

#include <QString>

// How a stored speed shows in the speed control.
class SpeedValue {
public:
    // The speeds the control offers.
    static constexpr int kMin = 1;
    static constexpr int kMax = 10;

    // The scroll bar's value: the speed rounded (a half to the even neighbour),
    // taken into 1 to 10.
    static int ScrollValue(double speed);

    // The speed box's text: the speed in its shortest form while it lies within
    // 1 to 10; otherwise the value the scroll bar takes, so that both agree.
    static QString DisplayText(double speed);
};
