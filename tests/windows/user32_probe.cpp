// Links the Windows-only platform code against user32 and the version resource,
// as the Windows build does; built by check-windows-api.sh with mingw-w64.
#include "platform/windows/User32.h"

int main()
{
    const int hidden = User32::ShowCursor(false);
    const int shown = User32::ShowCursor(true);
    // A null window is refused before user32 is asked.
    const bool refused = !User32::SetWindowPos(nullptr);
    return (shown == hidden + 1 && refused) ? 0 : 1;
}
