#pragma once

#include "platform/StopSignals.h"

// SIGTERM and SIGINT taken like a window manager's close: every window of the
// program, shown or not yet shown, is closed, so a show unloads as it does on
// input (status 0, lock released, pointer restored) and a window that was about
// to open stays shut. One object at a time, for the life of a start-up.
class StopRequest {
public:
    StopRequest();

    bool requested() const { return signals_.requested(); }

private:
    StopSignals signals_;
};
