#include "idle/wayland/WaylandIdleSource.h"

#include "idle/IdleSourceChoice.h"

#include <QHash>
#include <QSocketNotifier>

#include <ext-idle-notify-v1-client-protocol.h>
#include <idle-client-protocol.h>
#include <wayland-client.h>

namespace {
using Globals = QHash<QString, uint32_t>;   // interface name -> the first global's name

const wl_registry_listener kRegistry = {
    [](void *globals, wl_registry *, uint32_t name, const char *interface, uint32_t) {
        static_cast<Globals *>(globals)->insert(QString::fromLatin1(interface), name);   // keeps the first
    },
    [](void *, wl_registry *, uint32_t) {},
};

template <typename Object>
void idle(void *source, Object *)
{
    Q_EMIT static_cast<IdleSource *>(source)->idleReached();
}
template <typename Object>
void active(void *source, Object *)
{
    Q_EMIT static_cast<IdleSource *>(source)->userActive();
}
const ext_idle_notification_v1_listener kExtListener = {idle, active};
const org_kde_kwin_idle_timeout_listener kKdeListener = {idle, active};

template <typename Object>
Object *bind(wl_registry *registry, const Globals &globals, const char *name, const wl_interface *interface)
{
    return static_cast<Object *>(wl_registry_bind(registry, globals.value(name), interface, 1));
}
}

WaylandIdleSource::~WaylandIdleSource()
{
    stop();
}

QString WaylandIdleSource::start(int limitSeconds)
{
    display_ = wl_display_connect(nullptr);
    if (!display_)
        return QString("cannot connect to the Wayland display \"%1\"").arg(qEnvironmentVariable("WAYLAND_DISPLAY"));
    wl_registry *registry = wl_display_get_registry(display_);
    Globals globals;
    wl_registry_add_listener(registry, &kRegistry, &globals);
    if (wl_display_roundtrip(display_) < 0) {
        wl_registry_destroy(registry);
        return "the Wayland compositor ended the connection at once";
    }
    const auto protocol = IdleSourceChoice::protocol(globals.keys());
    if (protocol != IdleSourceChoice::Protocol::None) {
        seat_ = bind<wl_seat>(registry, globals, "wl_seat", &wl_seat_interface);
        const uint32_t limitMs = uint32_t(limitSeconds) * 1000;
        if (protocol == IdleSourceChoice::Protocol::ExtIdleNotify) {
            notifier1_ = bind<ext_idle_notifier_v1>(registry, globals, "ext_idle_notifier_v1", &ext_idle_notifier_v1_interface);
            notification_ = ext_idle_notifier_v1_get_idle_notification(notifier1_, limitMs, seat_);
            ext_idle_notification_v1_add_listener(notification_, &kExtListener, this);
        } else {
            kdeIdle_ = bind<org_kde_kwin_idle>(registry, globals, "org_kde_kwin_idle", &org_kde_kwin_idle_interface);
            kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, limitMs);
            org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &kKdeListener, this);
        }
    }
    wl_registry_destroy(registry);
    if (protocol == IdleSourceChoice::Protocol::None)
        return "the Wayland compositor tells no idle time (it offers neither ext_idle_notifier_v1 nor "
               "org_kde_kwin_idle for a seat)";
    if (wl_display_roundtrip(display_) < 0)
        return "the Wayland compositor refused the idle notification";
    notifier_ = new QSocketNotifier(wl_display_get_fd(display_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WaylandIdleSource::readEvents);
    return {};
}

void WaylandIdleSource::stop()
{
    if (!display_)
        return;
    delete notifier_;
    notifier_ = nullptr;
    if (notification_)
        ext_idle_notification_v1_destroy(notification_);
    if (notifier1_)
        ext_idle_notifier_v1_destroy(notifier1_);
    if (kdeTimeout_)
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    if (kdeIdle_)
        org_kde_kwin_idle_destroy(kdeIdle_);
    if (seat_)
        wl_seat_destroy(seat_);
    notification_ = nullptr, notifier1_ = nullptr, kdeTimeout_ = nullptr, kdeIdle_ = nullptr, seat_ = nullptr;
    wl_display_flush(display_);
    wl_display_disconnect(display_);
    display_ = nullptr;
}

void WaylandIdleSource::readEvents()
{
    // libwayland's way to read from a foreign event loop: whatever is queued first, then the socket.
    while (wl_display_prepare_read(display_) != 0)
        wl_display_dispatch_pending(display_);
    const bool read = wl_display_read_events(display_) >= 0;
    if (read && wl_display_dispatch_pending(display_) >= 0) {
        wl_display_flush(display_);
        return;
    }
    // The compositor went (end of the socket) or ended the connection.
    notifier_->setEnabled(false);
    Q_EMIT sessionEnded();
}
