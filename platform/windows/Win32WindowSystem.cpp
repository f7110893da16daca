#include "platform/windows/Win32WindowSystem.h"

#include "platform/windows/User32.h"

#include <QWidget>

void Win32WindowSystem::SetWindowPos(QWidget *window)
{
    if (!window)
        return;
    // winId() creates the native window if it does not exist yet.
    if (!User32::SetWindowPos(reinterpret_cast<void *>(window->winId())))
        WindowSystem::SetWindowPos(window);
}
