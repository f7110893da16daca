#include "slideshow/CoverPlan.h"

#include <algorithm>

QList<int> CoverPlan::ScreensToCover(const QList<QRect> &screens, const QRect &show)
{
    QList<int> covered;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect &screen = screens[i];
        const bool twin = std::any_of(covered.cbegin(), covered.cend(), [&](int j) { return screens[j] == screen; });
        if (!screen.isEmpty() && !screen.intersects(show) && !twin)
            covered.append(i);
    }
    return covered;
}

int CoverPlan::ShowScreen(const QList<QRect> &screens, int primary, const QList<bool> &taken)
{
    const auto usable = [&](int i) { return i >= 0 && i < screens.size() && !screens[i].isEmpty() && !taken.value(i); };
    if (usable(primary))
        return primary;
    for (int i = 0; i < screens.size(); ++i) {
        if (usable(i))
            return i;
    }
    return -1;
}
