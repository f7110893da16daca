#pragma once

#include <QList>
#include <QRect>

// Which screens get a plain black cover while the show runs: those that show
// nothing of the slideshow window. A screen overlapping it (a clone of the
// primary output) gets none, nor does a second screen with the geometry of one
// already covered.
class CoverPlan {
public:
    // The indexes of the screens to cover, in the order given.
    static QList<int> ScreensToCover(const QList<QRect> &screens, const QRect &show);
};
