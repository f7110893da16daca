#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A D-Bus session bus of the test's own (dbus-daemon --session) for the life of
// the object: hand environmentEntry() to the programs under test, and connect the
// test itself with connect().
class SessionBus {
public:
    SessionBus();
    ~SessionBus();

    bool isRunning() const { return !address_.isEmpty() && daemon_.state() == QProcess::Running; }
    // "DBUS_SESSION_BUS_ADDRESS=..." for a program's environment.
    QString environmentEntry() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }
    // A connection of the test's own under this name; disconnect() leaves the bus.
    QDBusConnection connect(const QString &name) const;
    static void disconnect(const QString &name) { QDBusConnection::disconnectFromBus(name); }

private:
    QProcess daemon_;
    QString address_;
};
