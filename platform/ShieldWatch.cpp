#include "platform/ShieldWatch.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

#include <unistd.h>

namespace {
// The screen savers that put a shield over the desktop: service, object, interface.
struct Saver {
    const char *service, *path, *interface;
};
constexpr Saver kSavers[] = {
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver"},
};
constexpr char kLogin[] = "org.freedesktop.login1";
// A bus that does not answer must not hold up the show.
constexpr int kAnswerWaitMs = 500;

QDBusMessage call(const QDBusConnection &bus, const QString &service, const QString &path, const QString &interface,
                  const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, kAnswerWaitMs);
}

bool hasOwner(const QDBusConnection &bus, const QString &service)
{
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service).value();
}
}

ShieldWatch::ShieldWatch(const QDBusConnection &session, const QDBusConnection &system)
    : session_(session)
    , system_(system)
{
    // Subscribed by service name: only the owner's signals count, and a saver
    // that starts later is heard too. Any path: KDE's saver has two.
    for (const Saver &saver : kSavers) {
        session_.connect(QString::fromLatin1(saver.service), QString(), QString::fromLatin1(saver.interface),
                         QStringLiteral("ActiveChanged"), this, SLOT(activeChanged(bool)));
    }
    sessionPath_ = sessionPath();
    if (!sessionPath_.isEmpty()) {
        system_.connect(QString::fromLatin1(kLogin), sessionPath_, QStringLiteral("org.freedesktop.login1.Session"),
                        QStringLiteral("Lock"), this, SIGNAL(raised()));
    }
}

bool ShieldWatch::Active()
{
    for (const Saver &saver : kSavers) {
        const QString service = QString::fromLatin1(saver.service);
        if (!hasOwner(session_, service))
            continue;
        const QDBusReply<bool> active(
            call(session_, service, QString::fromLatin1(saver.path), QString::fromLatin1(saver.interface),
                 QStringLiteral("GetActive")));
        if (active.isValid() && active.value())
            return true;
    }
    if (sessionPath_.isEmpty())
        return false;
    const QDBusReply<QDBusVariant> locked(call(system_, QString::fromLatin1(kLogin), sessionPath_,
                                               QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                               {QStringLiteral("org.freedesktop.login1.Session"),
                                                QStringLiteral("LockedHint")}));
    return locked.isValid() && locked.value().variant().toBool();
}

void ShieldWatch::activeChanged(bool active)
{
    if (active)
        Q_EMIT raised();
}

QString ShieldWatch::sessionPath()
{
    const QString login = QString::fromLatin1(kLogin);
    if (!hasOwner(system_, login))
        return QString();
    const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
    const QString path = QStringLiteral("/org/freedesktop/login1");
    QDBusReply<QDBusObjectPath> reply(
        call(system_, login, path, manager, QStringLiteral("GetSessionByPID"), {static_cast<quint32>(::getpid())}));
    // A program started by a user service belongs to no session by its process;
    // the session it was started for is named in the environment.
    if (!reply.isValid() && qEnvironmentVariableIsSet("XDG_SESSION_ID")) {
        reply = call(system_, login, path, manager, QStringLiteral("GetSession"),
                     {qEnvironmentVariable("XDG_SESSION_ID")});
    }
    return reply.isValid() ? reply.value().path() : QString();
}
