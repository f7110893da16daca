#pragma once

#include "platform/StopSignals.h"

class Notifier;

// SIGTERM and SIGINT taken like a window manager's close, and for good: every
// window of the program, shown or not yet shown, is closed, so a show unloads as
// it does on input (status 0, lock released, pointer restored), a window whose
// load handler is still running never opens, and no message box comes after.
// One object at a time, for the life of a start-up.
class StopRequest {
public:
    explicit StopRequest(Notifier &notifier);

private:
    StopSignals signals_;
};
