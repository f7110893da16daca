#include "platform/wayland/LayerShell.h"

#include "platform/wayland/LayerSurface.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

namespace {
constexpr int kVersion = 4;

void *native(const char *resource, QWindow *window, QScreen *screen)
{
    QPlatformNativeInterface *interface = QGuiApplication::platformNativeInterface();
    if (!interface)
        return nullptr;
    return window ? interface->nativeResourceForWindow(resource, window)
                  : interface->nativeResourceForScreen(resource, screen);
}
}

void LayerShell::PrepareApplication()
{
    qputenv("QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT", "1");
}

LayerShell::LayerShell()
    : QWaylandClientExtensionTemplate<LayerShell>(kVersion)
{
    // Qt binds on its next event loop pass otherwise; the globals are known already.
    initialize();
}

bool LayerShell::HasSurface(QWindow &window)
{
    return window.handle() && native("surface", &window, nullptr);
}

LayerSurface *LayerShell::Cover(QWindow &window, QScreen &screen)
{
    auto *surface = window.handle() ? static_cast<::wl_surface *>(native("surface", &window, nullptr)) : nullptr;
    auto *output = static_cast<::wl_output *>(native("output", nullptr, &screen));
    if (!isActive() || !surface || !output)
        return nullptr;
    ::zwlr_layer_surface_v1 *layer =
        get_layer_surface(surface, output, layer_overlay, QStringLiteral("screensaver"));
    return new LayerSurface(layer, window, screen, surface);
}
