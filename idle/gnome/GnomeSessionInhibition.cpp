#include "idle/gnome/GnomeSessionInhibition.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {
const QString kService = "org.gnome.SessionManager";
const QString kPath = "/org/gnome/SessionManager";
// The session manager's inhibitor flag for the session going idle.
constexpr uint kIdleFlag = 8;
}

GnomeSessionInhibition::GnomeSessionInhibition(const QDBusConnection &bus, QObject *parent)
    : QObject(parent),
      bus_(bus),
      owner_(new QDBusServiceWatcher(kService, bus, QDBusServiceWatcher::WatchForOwnerChange, this))
{
    connect(owner_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) { owner.isEmpty() ? set(false) : ask(); });
}

void GnomeSessionInhibition::start()
{
    for (const QString signal : {"InhibitorAdded", "InhibitorRemoved"})
        bus_.connect(kService, kPath, kService, signal, this, SLOT(ask()));
    ask();
}

void GnomeSessionInhibition::ask()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "IsInhibited");
    call << kIdleFlag;
    call.setAutoStartService(false);
    const quint64 question = ++asked_;
    auto *answer = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this, question](QDBusPendingCallWatcher *watcher) {
        watcher->deleteLater();
        const QDBusPendingReply<bool> reply = *watcher;
        // Only the answer to the latest question counts; no answer means no session manager.
        if (question == asked_)
            set(reply.isValid() && reply.value());
    });
}

void GnomeSessionInhibition::set(bool inhibited)
{
    if (inhibited == inhibited_)
        return;
    inhibited_ = inhibited;
    Q_EMIT changed(inhibited);
}
