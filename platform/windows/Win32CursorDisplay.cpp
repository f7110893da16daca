#include "platform/windows/Win32CursorDisplay.h"

#include "platform/windows/User32.h"

void Win32CursorDisplay::apply(bool)
{
    // Called once per ShowCursor, after the count moved by one: pass the same
    // step on, so the system's count follows the program's.
    User32::ShowCursor(count() > lastCount_);
    lastCount_ = count();
}
