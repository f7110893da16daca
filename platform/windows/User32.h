#pragma once

// The two user32 calls the program makes on Windows, behind a header that needs
// neither <windows.h> nor Qt, so the rest of the code stays free of both.
class User32 {
public:
    // ::ShowCursor: raises (true) or lowers (false) the display count of the
    // pointer; returns the new count.
    static int ShowCursor(bool show);

    // ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE):
    // topmost, same place and size, activated. window is an HWND; false when the
    // call failed (for instance a window that no longer exists).
    static bool SetWindowPos(void *window);
};
