#pragma once

#include "idle/InhibitionList.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

class QDBusServiceWatcher;

// org.freedesktop.ScreenSaver on the session bus, where no other program serves it:
// Inhibit and UnInhibit, at /org/freedesktop/ScreenSaver and /ScreenSaver, as
// browsers and players use them to keep the screen on during a film. The name is
// taken with replacement allowed; when another program takes it, the inhibitions
// standing here end (the new owner holds them from then on), and the name is
// taken back when it is free again. Messages go to standard error once each.
class ScreenSaverService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit ScreenSaverService(const QDBusConnection &bus, QObject *parent = nullptr);

    // Registers the objects and asks for the name; false without a session bus.
    bool start();
    int inhibitions() const { return list_.count(); }

public Q_SLOTS:
    Q_SCRIPTABLE uint Inhibit(const QString &application, const QString &reason);
    Q_SCRIPTABLE void UnInhibit(uint cookie);

Q_SIGNALS:
    void inhibitionsChanged(int count);

private:
    void requestName();
    void nameLost(const QString &name);
    void callerLeft(const QString &caller);

    QDBusConnection bus_;
    InhibitionList list_;
    QDBusServiceWatcher *callers_;
    QDBusServiceWatcher *nameWatch_;
    bool toldBusy_ = false;
    bool toldLost_ = false;
};
