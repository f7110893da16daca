#pragma once

#include "idle/IdlePolicy.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class IdleSource;
class ScreenSaverService;
class ShowProcess;

// Joins the idle source, the inhibitions and the show under the IdlePolicy. The
// inhibitions are those served here and the session's own that the source reports;
// while one served here stands, the source's session blanking waits too.
class IdleHost : public QObject {
    Q_OBJECT
public:
    IdleHost(IdleSource &source, ScreenSaverService &service, ShowProcess &show, int limitSeconds);

private:
    IdlePolicy::Ms now() const { return clock_.elapsed(); }
    void inhibitionsChanged();
    void apply(bool startShow);

    IdleSource &source_;
    ShowProcess &show_;
    IdlePolicy policy_;
    QElapsedTimer clock_;
    QTimer due_;
    int served_ = 0;
    bool sessionInhibited_ = false;
};
