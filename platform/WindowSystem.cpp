#include "platform/WindowSystem.h"

#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

void WindowSystem::SetWindowPos(QWidget *window)
{
    if (!window)
        return;
    window->raise();
    window->activateWindow();
}

void WindowSystem::ShowFullScreen(QWidget *window, QScreen *screen, std::function<void()>)
{
    if (!window || !screen)
        return;
    const QRect area = screen->geometry();
    if (window->isVisible() && window->geometry() == area)
        return;
    // Geometry first, so that the window is made on its monitor without a window
    // manager; the full-screen state then puts it over panels under one.
    window->setScreen(screen);
    window->setGeometry(area);
    window->showFullScreen();
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
