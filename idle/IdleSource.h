#pragma once

#include <QObject>
#include <QString>

// Tells the idle host when the session has been idle for the limit and when the
// user is back. One implementation per kind of session; the host picks one at start.
class IdleSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts watching with the limit in seconds; empty on success, else why not
    // (the program then ends with status 1).
    virtual QString start(int limitSeconds) = 0;
    // Inhibitions served by the host stand: the session's own blanking and power saving
    // wait too where the source can tell them (a film plays).
    virtual void setInhibited(bool inhibited) = 0;
    // Gives back whatever start() changed in the session.
    virtual void stop() = 0;

Q_SIGNALS:
    void idleReached();
    void userActive();
    // The session is over (the display server went away).
    void sessionEnded();
    // The session's own inhibitions (GNOME's session manager) hold the show off while true.
    void sessionInhibitionChanged(bool inhibited);
};
