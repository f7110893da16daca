#pragma once

#include <QStringList>

#include <memory>

class IdleSource;
class QDBusConnection;

// Where the idle time comes from, decided once at start from what the session offers:
// GNOME's idle monitor wherever it is on the session bus (Wayland or X11), else the
// Wayland compositor's idle notification, else the X server's screen-saver extension.
class IdleSourceChoice {
public:
    enum class Source { GnomeIdleMonitor, Wayland, X11, None };
    enum class Protocol { ExtIdleNotify, KdeIdle, None };

    struct Session {
        bool gnomeIdleMonitor = false;   // org.gnome.Mutter.IdleMonitor has an owner
        bool waylandDisplay = false;     // WAYLAND_DISPLAY (or WAYLAND_SOCKET) is set
        bool x11Display = false;         // DISPLAY is set
    };

    static Source source(const Session &session);
    // From the interface names of the globals a Wayland compositor offers: both
    // protocols need a seat; the newer one wins.
    static Protocol protocol(const QStringList &globals);

    // This process's session: its environment and the session bus.
    static Session current(const QDBusConnection &bus);
    // The source for the choice; nullptr for None.
    static std::unique_ptr<IdleSource> create(Source source, const QDBusConnection &bus);
};
