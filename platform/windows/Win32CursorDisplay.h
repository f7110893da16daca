#pragma once

#include "platform/CursorDisplay.h"

// The pointer's display count on Windows: every ShowCursor of the program is
// passed on to the system's own ::ShowCursor, which hides the pointer itself.
class Win32CursorDisplay : public CursorDisplay {
protected:
    void apply(bool visible) override;

private:
    int lastCount_ = 0;
};
