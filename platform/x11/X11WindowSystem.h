#pragma once

#include "platform/WindowSystem.h"

// The window-system calls on an X11 desktop. The frame is asked of the window
// manager before the window is mapped (_NET_REQUEST_FRAME_EXTENTS, answered in
// _NET_FRAME_EXTENTS), so a window can be placed by its frame without a jump.
class X11WindowSystem : public WindowSystem {
public:
    QMargins FrameMargins(QWidget *window) override;
};
