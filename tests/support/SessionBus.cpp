#include "support/SessionBus.h"

SessionBus::SessionBus()
{
    daemon_.setStandardErrorFile(QProcess::nullDevice());
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (daemon_.waitForReadyRead(10000))
        address_ = QString::fromLatin1(daemon_.readLine().trimmed());
}

SessionBus::~SessionBus()
{
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000))
        daemon_.kill();
    daemon_.waitForFinished(5000);
}

QDBusConnection SessionBus::connect(const QString &name) const
{
    return QDBusConnection::connectToBus(address_, name);
}
