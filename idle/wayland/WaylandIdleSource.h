#pragma once

#include "idle/IdleSource.h"

struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_display;
struct wl_seat;
class QSocketNotifier;

// Idle time from a Wayland compositor (WAYLAND_DISPLAY) through its idle notification
// for the first seat: ext_idle_notifier_v1, else the older org_kde_kwin_idle. The
// compositor applies its own idle inhibitors (a playing video, a window marked so),
// and has nothing to be told of the inhibitions the host serves. Its own connection,
// read when the socket has data, so nothing polls and no GUI is needed.
class WaylandIdleSource : public IdleSource {
    Q_OBJECT
public:
    using IdleSource::IdleSource;
    ~WaylandIdleSource() override;

    QString start(int limitSeconds) override;
    void setInhibited(bool) override {}
    void stop() override;

private:
    void readEvents();

    wl_display *display_ = nullptr;
    QSocketNotifier *notifier_ = nullptr;
    wl_seat *seat_ = nullptr;
    ext_idle_notifier_v1 *notifier1_ = nullptr;
    ext_idle_notification_v1 *notification_ = nullptr;
    org_kde_kwin_idle *kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout *kdeTimeout_ = nullptr;
};
