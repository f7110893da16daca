#pragma once

#include <QMargins>

#include <functional>

class QScreen;
class QWidget;

// Window-system calls that Qt does not offer in the form the program uses them.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE):
    // keeps place and size, raises and activates. The stays-on-top hint itself is
    // set when the window is created, since changing a flag on a shown widget hides it.
    virtual void SetWindowPos(QWidget *window);

    // Shows the window (frameless, on top from its creation) over the whole of the
    // screen, above the desktop's panels and windows, or moves it there when it
    // shows elsewhere. Nothing happens while it shows there already. `lost` runs
    // when the window system later takes the window off that screen by itself.
    virtual void ShowFullScreen(QWidget *window, QScreen *screen, std::function<void()> lost = {});

    // Takes the keyboard for the window, so that a key reaches it even where no
    // window manager gives it the focus. Retries briefly while another client holds it.
    virtual void grabKeyboard(QWidget *window);
    virtual void releaseKeyboard(QWidget *window);

    // The frame a window manager will draw around the window (title bar
    // included), known before the window is shown; none where no window manager
    // says, so that the client area is the whole window.
    virtual QMargins FrameMargins(QWidget *window);
};
