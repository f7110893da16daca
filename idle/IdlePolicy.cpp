#include "idle/IdlePolicy.h"

bool IdlePolicy::idleReached(Ms now)
{
    idle_ = true;
    return decide(now);
}

void IdlePolicy::userActive()
{
    idle_ = false;
    armed_ = true;
    notBefore_.reset();
}

bool IdlePolicy::inhibitionsChanged(int count, Ms now)
{
    const bool ended = inhibited_ && count == 0;
    inhibited_ = count > 0;
    if (ended)
        notBefore_ = now + limit_;
    return decide(now);
}

std::optional<IdlePolicy::Ms> IdlePolicy::dueAt() const
{
    return waiting() ? notBefore_ : std::nullopt;
}

bool IdlePolicy::decide(Ms now)
{
    if (!waiting() || (notBefore_ && now < *notBefore_))
        return false;
    armed_ = false;
    showRunning_ = true;
    notBefore_.reset();
    return true;
}
