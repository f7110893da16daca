#pragma once

#include <memory>

class CursorDisplay;
class WindowSystem;

// The platform services' real implementations for the window system the program
// runs on: Windows, or on Linux the one Qt's platform plugin talks to (X11 or
// Wayland), chosen at run time from QGuiApplication::platformName().
class NativePlatform {
public:
    // Sets what the platform plugins read before the application object exists,
    // whichever plugin Qt then picks.
    static void PrepareApplication();

    // Both need the application object.
    static std::unique_ptr<CursorDisplay> Cursor();
    static std::unique_ptr<WindowSystem> Windows();
};
