#include "platform/WindowSystem.h"

#include <QTimer>
#include <QWidget>
#include <QPointer>

void WindowSystem::SetWindowPos(QWidget *window)
{
    if (!window)
        return;
    window->raise();
    window->activateWindow();
}

void WindowSystem::grabKeyboard(QWidget *window)
{
    if (!window)
        return;
    window->grabKeyboard();
    // Under X11 a grab fails while the window is not yet mapped or another client
    // holds the keyboard; Qt does not report the failure, so ask again a few times.
    QPointer<QWidget> w(window);
    for (int delay : {50, 200, 500, 1000}) {
        QTimer::singleShot(delay, window, [w] {
            if (w && w->isVisible())
                w->grabKeyboard();
        });
    }
}

void WindowSystem::releaseKeyboard(QWidget *window)
{
    if (window)
        window->releaseKeyboard();
}

QMargins WindowSystem::FrameMargins(QWidget *)
{
    return {};
}
