#include "platform/windows/User32.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

int User32::ShowCursor(bool show)
{
    return ::ShowCursor(show ? TRUE : FALSE);
}

bool User32::SetWindowPos(void *window)
{
    if (!window)
        return false;
    return ::SetWindowPos(static_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE) != 0;
}
