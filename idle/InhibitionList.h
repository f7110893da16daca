#pragma once

#include <QHash>
#include <QString>

// The inhibitions that programs hold through org.freedesktop.ScreenSaver: each has
// a cookie, unique among those standing and never 0, and the bus name of its caller.
class InhibitionList {
public:
    // last: the cookie handed out before the first (tests start near the wrap).
    explicit InhibitionList(quint32 last = 0) : last_(last) {}

    quint32 add(const QString &caller);
    // Only the caller that took an inhibition ends it; true when one ended.
    bool remove(quint32 cookie, const QString &caller);
    // Ends every inhibition of a caller that left the bus; how many ended.
    int removeCaller(const QString &caller);
    void clear() { callers_.clear(); }

    int count() const { return int(callers_.size()); }
    bool holds(const QString &caller) const;

private:
    QHash<quint32, QString> callers_;
    quint32 last_;
};
