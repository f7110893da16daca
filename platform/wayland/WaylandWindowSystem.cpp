#include "platform/wayland/WaylandWindowSystem.h"

#include "platform/wayland/LayerShell.h"
#include "platform/wayland/LayerSurface.h"

#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
LayerSurface *layerSurfaceOf(QWidget &window)
{
    QWindow *handle = window.windowHandle();
    for (LayerSurface *surface : handle ? handle->findChildren<LayerSurface *>() : QList<LayerSurface *>())
        if (surface->isInitialized())
            return surface;
    return nullptr;
}
}

void WaylandWindowSystem::PrepareApplication()
{
    LayerShell::PrepareApplication();
}

WaylandWindowSystem::WaylandWindowSystem()
{
    // For a compositor whose layer shell misbehaves: plain full-screen windows.
    // Without the variable of PrepareApplication() Qt would give the window a
    // role of its own too, which the compositor answers by closing the connection.
    if (qgetenv(kShellVariable) != "xdg" && qgetenv("QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT") == "1")
        shell_ = std::make_unique<LayerShell>();
}

WaylandWindowSystem::~WaylandWindowSystem() = default;

void WaylandWindowSystem::ShowFullScreen(QWidget *window, QScreen *screen, std::function<void()> lost)
{
    if (!window || !screen)
        return;
    const bool created = window->testAttribute(Qt::WA_WState_Created);
    if (!shell_ || !shell_->isActive() || (created && !window->windowFlags().testFlag(LayerShell::kWindowFlag))) {
        WindowSystem::ShowFullScreen(window, screen, std::move(lost));
        return;
    }
    // Qt takes the window's place for the output's place in the layout, which is
    // what it reports global positions in; the compositor gives the size.
    window->setGeometry(screen->geometry());
    const LayerSurface *current = layerSurfaceOf(*window);
    if (current && current->Screen() == screen)
        return;
    // A layer surface stays on its output: a new one needs a wl_surface that has
    // shown nothing yet, and Qt drops a window's wl_surface when it is hidden.
    if (window->isVisible()) {
        window->hide();
        // Hidden here, not by the program: see the configure handler below.
        window->setAttribute(Qt::WA_WState_ExplicitShowHide, false);
    }
    if (!created) {
        window->setWindowFlag(LayerShell::kWindowFlag);
        window->setScreen(screen);
        window->winId();
    } else if (!LayerShell::HasSurface(*window->windowHandle())) {
        window->windowHandle()->destroy();
        window->windowHandle()->create();
    }
    LayerSurface *layer = shell_->Cover(*window->windowHandle(), *screen);
    if (!layer) {
        if (lost)
            QTimer::singleShot(0, window, lost);
        return;
    }
    // Queued: the surface's own handlers must not run into a window that goes. A
    // window the program hid or closed before the compositor answered stays hidden.
    QObject::connect(layer, &LayerSurface::configured, window, [window](QSize size) {
        window->resize(size);
        if (!(window->isHidden() && window->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            window->show();
    }, Qt::QueuedConnection);
    if (lost)
        QObject::connect(layer, &LayerSurface::closed, window, lost, Qt::QueuedConnection);
}
