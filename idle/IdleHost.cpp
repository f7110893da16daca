#include "idle/IdleHost.h"

#include "idle/IdleSource.h"
#include "idle/ScreenSaverService.h"
#include "idle/ShowProcess.h"

IdleHost::IdleHost(IdleSource &source, ScreenSaverService &service, ShowProcess &show, int limitSeconds)
    : source_(source), show_(show), policy_(IdlePolicy::Ms(limitSeconds) * 1000)
{
    clock_.start();
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, [this] { apply(policy_.timerDue(now())); });
    connect(&source, &IdleSource::idleReached, this, [this] { apply(policy_.idleReached(now())); });
    connect(&source, &IdleSource::userActive, this, [this] {
        policy_.userActive();
        apply(false);
    });
    connect(&service, &ScreenSaverService::inhibitionsChanged, this, [this](int count) {
        served_ = count;
        source_.setInhibited(count > 0);
        inhibitionsChanged();
    });
    connect(&source, &IdleSource::sessionInhibitionChanged, this, [this](bool inhibited) {
        sessionInhibited_ = inhibited;
        inhibitionsChanged();
    });
    connect(&show, &ShowProcess::ended, this, [this] {
        policy_.showEnded();
        apply(false);
    });
}

void IdleHost::inhibitionsChanged()
{
    apply(policy_.inhibitionsChanged(served_ + int(sessionInhibited_), now()));
}

void IdleHost::apply(bool startShow)
{
    if (startShow)
        show_.start();
    if (const auto due = policy_.dueAt())
        due_.start(int(std::max<IdlePolicy::Ms>(0, *due - now())));
    else
        due_.stop();
}
