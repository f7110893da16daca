#include "idle/gnome/MutterIdleSource.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>

namespace {
const QString kPath = "/org/gnome/Mutter/IdleMonitor/Core";
}

MutterIdleSource::MutterIdleSource(const QDBusConnection &bus, QObject *parent)
    : IdleSource(parent), bus_(bus), inhibition_(bus)
{
    connect(&inhibition_, &GnomeSessionInhibition::changed, this, &IdleSource::sessionInhibitionChanged);
}

MutterIdleSource::~MutterIdleSource()
{
    stop();
}

QDBusMessage MutterIdleSource::call(const QString &method) const
{
    return QDBusMessage::createMethodCall(serviceName(), kPath, serviceName(), method);
}

QString MutterIdleSource::start(int limitSeconds)
{
    // Connected first: a session already idle that long is reported at once.
    bus_.connect(serviceName(), kPath, serviceName(), "WatchFired", this, SLOT(watchFired(uint)));
    const QDBusReply<uint> watch = bus_.call(call("AddIdleWatch") << quint64(limitSeconds) * 1000);
    if (!watch.isValid())
        return "GNOME's idle monitor refused a watch: " + watch.error().message();
    idleWatch_ = watch.value();
    auto *monitor = new QDBusServiceWatcher(serviceName(), bus_, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(monitor, &QDBusServiceWatcher::serviceUnregistered, this, &IdleSource::sessionEnded);
    monitorWatch_ = monitor;
    inhibition_.start();
    return {};
}

void MutterIdleSource::stop()
{
    if (!monitorWatch_)
        return;
    delete monitorWatch_;
    monitorWatch_ = nullptr;
    bus_.disconnect(serviceName(), kPath, serviceName(), "WatchFired", this, SLOT(watchFired(uint)));
    for (uint *watch : {&idleWatch_, &activeWatch_}) {
        if (*watch)
            bus_.call(call("RemoveWatch") << *watch, QDBus::NoBlock);
        *watch = 0;
    }
}

void MutterIdleSource::watchFired(uint id)
{
    if (id == activeWatch_ && id != 0) {
        activeWatch_ = 0;   // the monitor drops a user-active watch once it fired
        Q_EMIT userActive();
    } else if (id == idleWatch_ && id != 0) {
        auto *reply = new QDBusPendingCallWatcher(bus_.asyncCall(call("AddUserActiveWatch")), this);
        connect(reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *watcher) {
            watcher->deleteLater();
            const QDBusPendingReply<uint> watch = *watcher;
            if (watch.isValid() && monitorWatch_)
                activeWatch_ = watch.value();
        });
        Q_EMIT idleReached();
    }
}
