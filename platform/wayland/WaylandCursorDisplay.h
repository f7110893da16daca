#pragma once

#include "platform/CursorDisplay.h"

// The pointer's display count under Wayland. Qt 6.4 does not always send its
// blank cursor to the compositor there (the pointer stays drawn); a cursor image
// whose every pixel is transparent is always sent, and hides the pointer alike.
class WaylandCursorDisplay : public CursorDisplay {
public:
    QCursor blankCursor() const override;
};
