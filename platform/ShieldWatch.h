#pragma once

#include <QDBusConnection>
#include <QObject>

// The desktop's own lock screen or screen-saver shield: GNOME's and KDE's screen
// savers on the session bus (org.gnome.ScreenSaver, org.freedesktop.ScreenSaver)
// and logind's lock of this session on the system bus. A show that stays up
// under it would greet the user again after the unlock, so the show gives way.
// Without a bus or any of these services nothing is ever reported.
class ShieldWatch : public QObject {
    Q_OBJECT
public:
    explicit ShieldWatch(const QDBusConnection &session = QDBusConnection::sessionBus(),
                         const QDBusConnection &system = QDBusConnection::systemBus());

    // Whether a shield is up now: a screen saver that says it is active, or a
    // session that logind marks as locked.
    bool Active();

Q_SIGNALS:
    // A screen saver's shield came up, or logind locked the session.
    void raised();

private Q_SLOTS:
    void activeChanged(bool active);

private:
    // The object path of this process's logind session; empty outside one.
    QString sessionPath();

    QDBusConnection session_;
    QDBusConnection system_;
    QString sessionPath_;
};
