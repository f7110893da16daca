#include "platform/NativePlatform.h"

#ifdef _WIN32
#include "platform/windows/Win32CursorDisplay.h"
#include "platform/windows/Win32WindowSystem.h"
#else
#include "platform/x11/X11WindowSystem.h"
#include "platform/wayland/WaylandCursorDisplay.h"
#include "platform/wayland/WaylandWindowSystem.h"

#include <QGuiApplication>

namespace {
bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}
}
#endif

void NativePlatform::PrepareApplication()
{
#ifndef _WIN32
    WaylandWindowSystem::PrepareApplication();
#endif
}

std::unique_ptr<CursorDisplay> NativePlatform::Cursor()
{
#ifdef _WIN32
    return std::make_unique<Win32CursorDisplay>();
#else
    if (onWayland())
        return std::make_unique<WaylandCursorDisplay>();
    return std::make_unique<CursorDisplay>();
#endif
}

std::unique_ptr<WindowSystem> NativePlatform::Windows()
{
#ifdef _WIN32
    return std::make_unique<Win32WindowSystem>();
#else
    if (onWayland())
        return std::make_unique<WaylandWindowSystem>();
    return std::make_unique<X11WindowSystem>();
#endif
}
