#pragma once

#include <QDBusConnection>
#include <QObject>

class QDBusServiceWatcher;

// Whether GNOME's session manager holds the session's idle off (a program playing a
// film asked it to), asked again whenever an inhibitor comes or goes, never polled.
// Without a session manager nothing is held.
class GnomeSessionInhibition : public QObject {
    Q_OBJECT
public:
    explicit GnomeSessionInhibition(const QDBusConnection &bus, QObject *parent = nullptr);

    void start();

Q_SIGNALS:
    void changed(bool inhibited);

private Q_SLOTS:
    void ask();

private:
    void set(bool inhibited);

    QDBusConnection bus_;
    QDBusServiceWatcher *owner_;
    bool inhibited_ = false;
    quint64 asked_ = 0;
};
