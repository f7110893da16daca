#pragma once

#include <cstdint>
#include <optional>

// Decides when the idle host starts the show, from what the idle source, the
// inhibitions and the show itself report. Times are milliseconds of a monotonic
// clock, passed in by the caller.
//
// - The show starts when the session is idle, no inhibition stands, no show
//   runs, and the user has been active since the last show started: a show that
//   ends by itself (at once, for example) is not started again before the user
//   came back and the session is idle again.
// - Idle time counts from the end of the last inhibition: a source that reported
//   idle while an inhibition stood starts the show only a full limit after it.
// - A running show goes on when an inhibition comes; the show ends on input.
class IdlePolicy {
public:
    using Ms = std::int64_t;

    explicit IdlePolicy(Ms limit) : limit_(limit) {}

    // True when the show is to start now; the policy then counts it as running.
    bool idleReached(Ms now);
    bool inhibitionsChanged(int count, Ms now);
    bool timerDue(Ms now) { return decide(now); }
    // Input: the next idle period may start a show again.
    void userActive();
    // The show ended, or could not be started.
    void showEnded() { showRunning_ = false; }

    // When timerDue() must be called, if the start waits for a time rather than an event.
    std::optional<Ms> dueAt() const;
    bool showRunning() const { return showRunning_; }

private:
    bool decide(Ms now);
    bool waiting() const { return idle_ && armed_ && !inhibited_ && !showRunning_; }

    Ms limit_;
    bool idle_ = false;
    bool armed_ = true;
    bool inhibited_ = false;
    bool showRunning_ = false;
    std::optional<Ms> notBefore_;
};
