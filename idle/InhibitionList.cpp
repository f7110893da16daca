#include "idle/InhibitionList.h"

quint32 InhibitionList::add(const QString &caller)
{
    do
        ++last_;
    while (last_ == 0 || callers_.contains(last_));
    callers_.insert(last_, caller);
    return last_;
}

bool InhibitionList::remove(quint32 cookie, const QString &caller)
{
    const auto found = callers_.constFind(cookie);
    if (found == callers_.cend() || *found != caller)
        return false;
    callers_.erase(found);
    return true;
}

int InhibitionList::removeCaller(const QString &caller)
{
    return int(callers_.removeIf([&](const auto &entry) { return entry.value() == caller; }));
}

bool InhibitionList::holds(const QString &caller) const
{
    return std::find(callers_.cbegin(), callers_.cend(), caller) != callers_.cend();
}
