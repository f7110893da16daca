#include "idle/ScreenSaverService.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <cstdio>

namespace {
const QString kName = "org.freedesktop.ScreenSaver";

void say(const char *text)
{
    std::fprintf(stderr, "vistello-idle: %s\n", text);
}
}

ScreenSaverService::ScreenSaverService(const QDBusConnection &bus, QObject *parent)
    : QObject(parent),
      bus_(bus),
      callers_(new QDBusServiceWatcher(this)),
      nameWatch_(new QDBusServiceWatcher(kName, bus, QDBusServiceWatcher::WatchForUnregistration, this))
{
    callers_->setConnection(bus_);
    callers_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(callers_, &QDBusServiceWatcher::serviceUnregistered, this, &ScreenSaverService::callerLeft);
    connect(nameWatch_, &QDBusServiceWatcher::serviceUnregistered, this, &ScreenSaverService::requestName);
}

bool ScreenSaverService::start()
{
    if (!bus_.isConnected()) {
        say("no session bus: inhibitions (a film playing) are not seen");
        return false;
    }
    for (const QString path : {"/org/freedesktop/ScreenSaver", "/ScreenSaver"})
        bus_.registerObject(path, this, QDBusConnection::ExportScriptableSlots);
    connect(bus_.interface(), &QDBusConnectionInterface::serviceUnregistered, this, &ScreenSaverService::nameLost);
    requestName();
    return true;
}

void ScreenSaverService::requestName()
{
    const auto answer = bus_.interface()->registerService(kName, QDBusConnectionInterface::DontQueueService,
                                                          QDBusConnectionInterface::AllowReplacement);
    if (answer.isValid() && answer.value() == QDBusConnectionInterface::ServiceRegistered)
        return;
    if (!toldBusy_)
        say("another program serves org.freedesktop.ScreenSaver: inhibitions held there are not seen");
    toldBusy_ = true;
}

void ScreenSaverService::nameLost(const QString &name)
{
    if (name != kName)
        return;
    if (!toldLost_)
        say("another program took over org.freedesktop.ScreenSaver: inhibitions held there are not seen");
    toldLost_ = true;
    for (const QString &caller : callers_->watchedServices())
        callers_->removeWatchedService(caller);
    list_.clear();
    Q_EMIT inhibitionsChanged(0);
}

uint ScreenSaverService::Inhibit(const QString &, const QString &)
{
    const QString caller = message().service();
    const uint cookie = list_.add(caller);
    callers_->addWatchedService(caller);
    // A caller that left before the watch began is never reported.
    if (bus_.interface()->isServiceRegistered(caller).value())
        Q_EMIT inhibitionsChanged(list_.count());
    else
        callerLeft(caller);
    return cookie;
}

void ScreenSaverService::UnInhibit(uint cookie)
{
    const QString caller = message().service();
    if (!list_.remove(cookie, caller))
        return;
    if (!list_.holds(caller))
        callers_->removeWatchedService(caller);
    Q_EMIT inhibitionsChanged(list_.count());
}

void ScreenSaverService::callerLeft(const QString &caller)
{
    if (list_.removeCaller(caller) > 0)
        Q_EMIT inhibitionsChanged(list_.count());
    callers_->removeWatchedService(caller);
}
