#pragma once

#include "idle/IdleSource.h"
#include "idle/gnome/GnomeSessionInhibition.h"

#include <QDBusConnection>

class QDBusServiceWatcher;

// Idle time from GNOME's compositor (mutter's idle monitor on the session bus), on
// Wayland and X11 alike: a watch for the limit, and after each idle report a one-shot
// watch for the user's return. GNOME keeps the session's inhibitions in its session
// manager, which players use; while it holds idle off, the show waits. The session is
// over when the monitor leaves the bus.
class MutterIdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit MutterIdleSource(const QDBusConnection &bus, QObject *parent = nullptr);
    ~MutterIdleSource() override;

    static QString serviceName() { return "org.gnome.Mutter.IdleMonitor"; }

    QString start(int limitSeconds) override;
    // GNOME's own blanking follows its session manager, not the inhibitions served here.
    void setInhibited(bool) override {}
    void stop() override;

private Q_SLOTS:
    void watchFired(uint id);

private:
    QDBusMessage call(const QString &method) const;

    QDBusConnection bus_;
    GnomeSessionInhibition inhibition_;
    QDBusServiceWatcher *monitorWatch_ = nullptr;
    uint idleWatch_ = 0;
    uint activeWatch_ = 0;
};
