#pragma once

#include <QList>
#include <QRect>

// Which screen the show goes on, and which screens get a plain black cover while
// it runs: those that show nothing of the slideshow window. A screen overlapping
// it (a clone of the primary output) gets none, nor does a second screen with the
// geometry of one already covered.
class CoverPlan {
public:
    // The index of the screen the show goes on: the primary one, or, when that is
    // taken from the show (the window system took the show off it), the first
    // other screen not taken; never one without an area. -1 when none is left.
    static int ShowScreen(const QList<QRect> &screens, int primary, const QList<bool> &taken);

    // The indexes of the screens to cover, in the order given.
    static QList<int> ScreensToCover(const QList<QRect> &screens, const QRect &show);
};
