#include "idle/IdleSourceChoice.h"

#include "idle/gnome/MutterIdleSource.h"
#include "idle/wayland/WaylandIdleSource.h"
#include "idle/x11/X11IdleSource.h"

#include <QDBusConnectionInterface>

IdleSourceChoice::Source IdleSourceChoice::source(const Session &session)
{
    // Without a display the show has nowhere to run, whoever tells the idle time.
    if (!session.waylandDisplay && !session.x11Display)
        return Source::None;
    if (session.gnomeIdleMonitor)
        return Source::GnomeIdleMonitor;
    return session.waylandDisplay ? Source::Wayland : Source::X11;
}

IdleSourceChoice::Protocol IdleSourceChoice::protocol(const QStringList &globals)
{
    if (!globals.contains("wl_seat"))
        return Protocol::None;
    if (globals.contains("ext_idle_notifier_v1"))
        return Protocol::ExtIdleNotify;
    return globals.contains("org_kde_kwin_idle") ? Protocol::KdeIdle : Protocol::None;
}

IdleSourceChoice::Session IdleSourceChoice::current(const QDBusConnection &bus)
{
    Session session;
    session.gnomeIdleMonitor =
        bus.isConnected() && bus.interface()->isServiceRegistered(MutterIdleSource::serviceName()).value();
    session.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET");
    session.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return session;
}

std::unique_ptr<IdleSource> IdleSourceChoice::create(Source source, const QDBusConnection &bus)
{
    switch (source) {
    case Source::GnomeIdleMonitor: return std::make_unique<MutterIdleSource>(bus);
    case Source::Wayland: return std::make_unique<WaylandIdleSource>();
    case Source::X11: return std::make_unique<X11IdleSource>();
    case Source::None: break;
    }
    return nullptr;
}
