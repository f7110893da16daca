#pragma once

// The platform services' real implementations for the system being built for.
#ifdef _WIN32
#include "platform/windows/Win32CursorDisplay.h"
#include "platform/windows/Win32WindowSystem.h"
using NativeCursorDisplay = Win32CursorDisplay;
using NativeWindowSystem = Win32WindowSystem;
#else
#include "platform/CursorDisplay.h"
#include "platform/x11/X11WindowSystem.h"
using NativeCursorDisplay = CursorDisplay;
using NativeWindowSystem = X11WindowSystem;
#endif
