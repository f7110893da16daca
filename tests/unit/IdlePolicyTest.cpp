// When the idle host starts the show: sequences of reports, each step with the
// start it must (or must not) cause, or the time a start waits for.
#include "idle/IdlePolicy.h"

#include <gtest/gtest.h>

namespace {
constexpr IdlePolicy::Ms L = 600000;   // the limit
enum Event { Idle, Active, Ended, Inhibit, Timer, Due };
struct Step {   // at: for Due, when timerDue() is wanted, -1 for never
    Event event; IdlePolicy::Ms at; bool starts = false; int inhibitions = 0;
};
struct Row { const char *name; std::vector<Step> steps; };

const Row kRows[] = {
    {"idle starts the show, one at a time", {{Idle, 0, true}, {Idle, 5}, {Active, 6}, {Idle, 7 + L}, {Due, -1}}},
    {"a show that ends at once waits for the user and the next idle period",
     {{Idle, 0, true}, {Ended, 10}, {Idle, 20}, {Active, 30}, {Idle, 40 + L, true}}},
    {"input during the show lets the next idle period start one",
     {{Idle, 0, true}, {Active, 10}, {Ended, 11}, {Idle, 11 + L, true}}},
    {"no show while inhibited; a full limit after the last inhibition ends",
     {{Inhibit, 0, false, 1}, {Inhibit, 1, false, 2}, {Idle, L}, {Inhibit, 2 * L, false, 1}, {Due, -1},
      {Inhibit, 3 * L, false, 0}, {Due, 4 * L}, {Timer, 4 * L, true}}},
    {"an idle report just before the inhibition's limit waits for it",
     {{Inhibit, 0, false, 1}, {Inhibit, 10, false, 0}, {Due, -1}, {Idle, 5 + L}, {Due, 10 + L},
      {Timer, 10 + L, true}}},
    {"input while waiting after an inhibition cancels the wait",
     {{Inhibit, 0, false, 1}, {Idle, L}, {Inhibit, 2 * L, false, 0}, {Active, 2 * L + 1}, {Due, -1},
      {Idle, 3 * L + 1, true}}},
    {"an inhibition leaves a running show alone and holds the next",
     {{Idle, 0, true}, {Inhibit, 10, false, 1}, {Ended, 20}, {Active, 30}, {Idle, 40 + L}, {Due, -1}}},
};

TEST(IdlePolicy, StartsTheShowOnlyWhenIdleUninhibitedAndArmed)
{
    for (const Row &row : kRows) {
        IdlePolicy policy(L);
        for (size_t i = 0; i < row.steps.size(); ++i) {
            const Step &step = row.steps[i];
            bool started = false;
            switch (step.event) {
            case Idle: started = policy.idleReached(step.at); break;
            case Active: policy.userActive(); break;
            case Ended: policy.showEnded(); break;
            case Inhibit: started = policy.inhibitionsChanged(step.inhibitions, step.at); break;
            case Timer: started = policy.timerDue(step.at); break;
            case Due: EXPECT_EQ(policy.dueAt().value_or(-1), step.at) << row.name << ", step " << i; break;
            }
            EXPECT_EQ(started, step.starts) << row.name << ", step " << i;
        }
    }
}
}
