#include "platform/wayland/LayerSurface.h"

#include <QWindow>

#include <wayland-client.h>

LayerSurface::LayerSurface(::zwlr_layer_surface_v1 *object, QWindow &window, QScreen &screen, ::wl_surface *surface)
    : QObject(&window)
    , QtWayland::zwlr_layer_surface_v1(object)
    , screen_(&screen)
{
    set_anchor(anchor_top | anchor_bottom | anchor_left | anchor_right);
    set_exclusive_zone(-1);
    set_keyboard_interactivity(keyboard_interactivity_exclusive);
    ::wl_surface_commit(surface);
    // Hiding drops the wl_surface; the layer surface must not outlive it.
    connect(&window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible && isInitialized()) {
            destroy();
            deleteLater();
        }
    });
}

LayerSurface::~LayerSurface()
{
    if (isInitialized())
        destroy();
}

void LayerSurface::zwlr_layer_surface_v1_configure(uint32_t serial, uint32_t width, uint32_t height)
{
    ack_configure(serial);
    // A zero edge leaves the size to the client: the output's, as Qt knows it.
    QSize size(static_cast<int>(width), static_cast<int>(height));
    if (screen_ && size.width() <= 0)
        size.setWidth(screen_->geometry().width());
    if (screen_ && size.height() <= 0)
        size.setHeight(screen_->geometry().height());
    Q_EMIT configured(size);
}

void LayerSurface::zwlr_layer_surface_v1_closed()
{
    Q_EMIT closed();
}
